// Text lists: TStrings, the abstract ordered list of single-byte lines that a memo's Lines
// and the language file travel in, and TStringList, the plain one with change
// notification. SaveToFile replaces a file only once every byte of the new text is safely
// on disk, and never waits on a pipe.
#pragma once

#include <string>
#include <vector>

#include "framework/core/classes.h"

class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);  // default: Delete, then Insert
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Appends; returns the new line's index.
    virtual int Add(const std::string& s);
    void AddStrings(const TStrings& other);

    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    std::string operator[](int index) const { return Get(index); }
    // Case-insensitive; -1 when absent.
    virtual int IndexOf(const std::string& s) const;
    std::vector<std::string> ToVector() const;

    // Every line followed by CR LF (so a list of one empty line is "\r\n", an empty list "").
    std::string Text() const;
    // Splits at CR LF, LF or CR; a final line break does not start another line.
    virtual void SetText(const std::string& text);

    // Changes between BeginUpdate and the matching EndUpdate are announced once, at the end.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Copies the lines of another list.
    void Assign(const TPersistent* source) override;

    // Writes every line followed by CR LF to fileName, replacing the file only when all bytes
    // are written and flushed: a new file in the same folder (unnamed while it is written) is
    // renamed over the target, which keeps its permission bits; a symbolic link is followed,
    // so the file it points to is replaced and the link stays. A file with other hard links,
    // or in a folder that refuses new files, is written in place, its old content put back
    // if the new one cannot be written whole. A character device is written without waiting
    // long; a named pipe or socket is refused. On failure the old file is untouched and no
    // temporary file is left. EFCreateError "Cannot create file "%s". %s" (the absolute
    // name, the system's reason) when the file cannot be created or replaced; EWriteError
    // "Stream write error" when not every byte could be written.
    void SaveToFile(const std::string& fileName) const;

protected:
    // Called with true when the first BeginUpdate starts, false when the last EndUpdate ends.
    virtual void SetUpdateState(bool /*updating*/) {}
    // EStringListError "List index out of bounds (%d)".
    [[noreturn]] static void IndexError(int index);

private:
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(FList.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

    // OnChanging before and OnChange after every change, once around a BeginUpdate block
    // (OnChange fires at its end even when nothing changed).
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    std::vector<std::string> FList;
};
