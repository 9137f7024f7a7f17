#include "langfile/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace langfile;

TEST(Catalogue, FiftyFivePhrasesInOutputOrderWithUniqueFields) {
    const auto& phrases = Phrases();
    std::set<std::string_view> fields;
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        EXPECT_EQ(phrases[i].order, static_cast<int>(i) + 1);
        EXPECT_EQ(phrases[i].variable.substr(0, 1), "$");
        EXPECT_TRUE(fields.insert(phrases[i].field).second) << phrases[i].field;
        EXPECT_FALSE(phrases[i].label.empty());
    }
    EXPECT_EQ(fields.count(kCommentField), 0u);
}

TEST(Catalogue, DefaultsKeepTheirOriginalSpelling) {
    EXPECT_EQ(FindPhraseByField("edSvoff1")->defaultText,
              "<b>The Server is currently Offline or swiching maps...</b><br>Please Try to "
              "refresh the page or come back later.");
    EXPECT_EQ(FindPhraseByField("edImgP")->defaultText,
              "Image of the current map, can be default or custom depending in avaliable images "
              "in mapimg dir.");
    EXPECT_EQ(FindPhraseByField("edScoreP")->defaultText, "Score/Pontuation of the player.");
    EXPECT_EQ(FindPhraseByField("edAuthor")->defaultText, "Your Name");
    EXPECT_EQ(FindPhraseByField("edVoice3")->defaultText, "is deactivated");
    EXPECT_EQ(FindPhraseByField("edComment"), nullptr);
}

TEST(Catalogue, PasswordRowScreenOrderDiffersFromFileOrder) {
    const auto& p = Phrases();
    EXPECT_EQ(p[34].field, "edPw1");
    EXPECT_EQ(p[35].field, "edPw3");
    EXPECT_EQ(p[35].defaultText, "has no");
    EXPECT_EQ(p[36].field, "edPw2");
    EXPECT_EQ(p[36].defaultText, "has");
}

TEST(Catalogue, PagesHoldTheirPhrases) {
    std::map<std::string_view, int> perPage;
    for (const auto& e : Phrases()) ++perPage[e.page];
    EXPECT_EQ(perPage["Language Information"], 2);
    EXPECT_EQ(perPage["Messages and Categories"], 7);
    EXPECT_EQ(perPage["Main Information"], 17);
    EXPECT_EQ(perPage["Extra Information"], 23);
    EXPECT_EQ(perPage["Extra Information 2"], 6);
}

TEST(Catalogue, MainInformationTagsFollowOutputOrder) {
    EXPECT_EQ(MainInformationTag("edSvname"), 0);
    EXPECT_EQ(MainInformationTag("edImgP"), 8);
    EXPECT_EQ(MainInformationTag("edPlayernameP"), 10);
    EXPECT_EQ(MainInformationTag("edPlayersP"), 16);
    EXPECT_EQ(MainInformationTag("edAuthor"), -1);
    EXPECT_EQ(MainInformationTag("edPure1"), -1);
    EXPECT_EQ(MainInformationTag("nonsense"), -1);
}

TEST(Catalogue, PopupsAreFixedAndP8SharesKillcamVariable) {
    const auto& popups = Popups();
    const char* values[] = {
        "sv_pure",          "sv_minPing", "sv_maxPing", "sv_maxRate", "pswrd", "gamename + shortversion",
        "scr_friendlyfire", "sv_killcam", "g_antilag",  "sv_voice"};
    // Top to bottom on screen; the names were given in another order.
    const char* fields[] = {"VtEdit1", "VtEdit2",  "VtEdit3", "VtEdit4", "VtEdit6",
                            "VtEdit5", "VtEdit10", "VtEdit9", "VtEdit7", "VtEdit8"};
    for (std::size_t i = 0; i < popups.size(); ++i) {
        EXPECT_EQ(popups[i].value, values[i]);
        EXPECT_EQ(popups[i].referenceField, fields[i]);
    }
    EXPECT_EQ(popups[7].variable, "$svkillcam");
    EXPECT_EQ(Phrases()[46].variable, "$svkillcam");
    EXPECT_EQ(popups[5].referenceLabel, "SV Info:");
}
