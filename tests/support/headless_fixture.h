// A fresh headless desktop, application and main form for every test, torn down after it
// (see headless_session.h for the pixels and the input it offers). Suites derive from it and
// shape the form in their own SetUp after calling this one.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/support/headless_session.h"

template <class TFormClass = TForm>
class HeadlessFixture : public ::testing::Test, public HeadlessSession<TFormClass> {
public:
    // With a title the application carries it before the form is created.
    explicit HeadlessFixture(std::string title = {}) : FTitle(std::move(title)) {}

    void SetUp() override { this->Start(FTitle); }
    void TearDown() override { this->Stop(); }

private:
    std::string FTitle;
};
