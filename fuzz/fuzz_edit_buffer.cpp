// The edit buffer under any sequence of edits: the input is a script, one operation a byte
// followed by its operands. After each step the caret and the selection lie inside the
// text and never between the two bytes of a line break, and the line index matches the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/stdctrls/edit_buffer.h"

namespace {

class TScript {
public:
    TScript(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
    bool More() const { return FAt < FSize; }
    uint8_t Byte() { return FAt < FSize ? FData[FAt++] : 0; }
    int Number() { return Byte() | (Byte() << 8); }
    std::string_view Text() {
        const size_t n = std::min<size_t>(Byte() % 32, FSize - FAt);
        std::string_view s(reinterpret_cast<const char*>(FData + FAt), n);
        FAt += n;
        return s;
    }

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FAt = 0;
};

void Check(const TEditBuffer& b) {
    const int n = b.Length();
    for (int p : {b.Caret(), b.Anchor()}) {
        if (p < 0 || p > n) __builtin_trap();
        if (b.MultiLine() && p > 0 && p < n && b.Text()[p - 1] == '\r' && b.Text()[p] == '\n') __builtin_trap();
    }
    std::string joined;
    for (int line = 0; line < b.LineCount(); ++line) {
        if (line > 0) joined += b.MultiLine() ? "\r\n" : "";
        joined += b.LineText(line);
    }
    if (b.MultiLine() && joined != b.Text()) __builtin_trap();
    if (b.LineFromPos(b.Caret()) < 0 || b.LineFromPos(b.Caret()) >= b.LineCount()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TScript script(data, size);
    TEditBuffer buffer(script.Byte() & 1);
    buffer.SetMaxLength(script.Byte() % 4 == 0 ? script.Number() % 200 : 0);
    for (int steps = 0; script.More() && steps < 4096; ++steps) {
        const int n = buffer.Length() + 2;
        switch (script.Byte() % 14) {
            case 0: buffer.SetText(script.Text()); break;
            case 1: buffer.ReplaceSelection(script.Text(), TEditKind(script.Byte() % 3)); break;
            case 2: buffer.SetSelection(script.Number() % n - 1, script.Number() % n - 1); break;
            case 3: buffer.MoveCaret(script.Number() % n - 1, script.Byte() & 1); break;
            case 4: buffer.DeleteBackward(script.Byte() & 1); break;
            case 5: buffer.DeleteForward(script.Byte() & 1); break;
            case 6: buffer.Undo(); break;
            case 7: buffer.BreakUndoRun(); break;
            case 8: buffer.SelectAll(); break;
            case 9: {
                const int p = script.Number() % n - 1;
                (void)buffer.NextPos(p), (void)buffer.PrevPos(p), (void)buffer.WordRight(p), (void)buffer.WordLeft(p);
                break;
            }
            case 10: {
                int start = 0, end = 0;
                buffer.WordAt(script.Number() % n - 1, start, end);
                if (start > end) __builtin_trap();
                break;
            }
            case 11: {
                const int line = script.Number() % (buffer.LineCount() + 2) - 1;
                (void)buffer.LineStart(line), (void)buffer.LineEnd(line), (void)buffer.LineText(line);
                break;
            }
            case 12: (void)buffer.SelText(); break;
            case 13: buffer.SetMaxLength(script.Number() % 300 - 50); break;
        }
        Check(buffer);
    }
    return 0;
}
