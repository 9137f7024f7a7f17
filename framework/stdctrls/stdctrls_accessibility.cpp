// How the standard controls present themselves to assistive tools: labels are static text
// named by their caption (and name the field they are the FocusControl of), panels name
// themselves by their caption, edits and memos are editable text with their caret and
// selection. Pictures present nothing: they are decoration.
#include <string>
#include <vector>

#include "framework/stdctrls/edits.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/ui/accessibility.h"

namespace {

// The edits keep CR LF between lines; assistive tools count lines by a single "\n".
std::string ToolText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

int ToolOffset(const std::string& text, int pos) {
    int out = pos;
    for (int i = 0; i + 1 < static_cast<int>(text.size()) && i < pos; ++i)
        if (text[i] == '\r' && text[i + 1] == '\n') --out;
    return out;
}

int BufferOffset(const std::string& text, int toolPos) {
    int tool = 0;
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && tool < toolPos) {
        i += (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
        ++tool;
    }
    return i;
}

}  // namespace

TControl* NamingLabelOf(const TControl* control) {
    if (control->AccessibleLabel()) return control->AccessibleLabel();
    const TComponent* owner = control->Owner();
    if (!owner) return nullptr;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* label = dynamic_cast<TCustomLabel*>(owner->Components(i)); label && label->FocusControl() == control)
            return label;
    return nullptr;
}

TAccessibleRole TCustomLabel::AccessibleRole(int part) const {
    return part < 0 && !Caption().empty() ? arStaticText : arNone;
}

void TCustomLabel::GetAccessibleInfo(int part, TAccessibleInfo& info) {
    TGraphicControl::GetAccessibleInfo(part, info);
    info.Name = FShowAccelChar ? AccessibleCaption(GetLabelText()) : GetLabelText();
}

void TCustomPanel::GetAccessibleInfo(int part, TAccessibleInfo& info) {
    TCustomControl::GetAccessibleInfo(part, info);
    info.Name = AccessibleCaption(Caption());
}

TAccessibleRole TCustomEdit::AccessibleRole(int part) const { return part < 0 ? arEditableText : arNone; }

void TCustomEdit::GetAccessibleInfo(int part, TAccessibleInfo& info) {
    TCustomControl::GetAccessibleInfo(part, info);
    if (part >= 0) return;
    if (TControl* label = NamingLabelOf(this)) {
        info.Name = AccessibleCaption(label->Caption());
        info.LabelledBy = AccessibleIdOf(label);
    }
    const std::string& text = FBuffer.Text();
    info.HasText = true;
    info.Text = ToolText(text);
    info.Caret = ToolOffset(text, FBuffer.Caret());
    info.SelStart = ToolOffset(text, FBuffer.SelStart());
    info.SelEnd = ToolOffset(text, FBuffer.SelEnd());
    if (FReadOnly) info.States.Include(asReadOnly);
    if (FBuffer.MultiLine()) info.States.Include(asMultiLine);
}

bool TCustomEdit::SetAccessibleSelection(int part, int anchor, int caret) {
    if (part >= 0) return false;
    const std::string& text = FBuffer.Text();
    SetSelection(BufferOffset(text, anchor), BufferOffset(text, caret));
    return true;
}
