#include "framework/platform/headless/headless_platform.h"

#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace {

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

}  // namespace

THeadlessPlatform::THeadlessPlatform() = default;
THeadlessPlatform::~THeadlessPlatform() = default;

TWindowId THeadlessPlatform::CreateWindow(const TWindowParams& params) {
    const TWindowId id = FNextId++;
    Window& w = FWindows[id];
    w.Params = params;
    w.Screen = std::make_unique<TBitmap>(params.ClientWidth, params.ClientHeight);
    return id;
}

void THeadlessPlatform::DestroyWindow(TWindowId window) {
    if (Window* w = FindWindow(window)) {
        w->Destroyed = true;
        w->Visible = false;
        w->Params.Accessible = nullptr;  // it goes with the window
    }
}

void THeadlessPlatform::ShowWindow(TWindowId window, bool visible) {
    if (Window* w = FindWindow(window)) w->Visible = visible;
}

void THeadlessPlatform::SetWindowTitle(TWindowId window, const std::string& title) {
    if (Window* w = FindWindow(window)) w->Params.Title = title;
}

void THeadlessPlatform::SetWindowIcon(TWindowId window, const TBitmap& icon) {
    if (Window* w = FindWindow(window)) w->IconWidth = icon.Width();
}

void THeadlessPlatform::Present(TWindowId window, const TBitmap& backBuffer, const TRect& dirty) {
    Window* w = FindWindow(window);
    if (w == nullptr) return;
    if (w->Screen->Width() != backBuffer.Width() || w->Screen->Height() != backBuffer.Height())
        w->Screen->SetSize(backBuffer.Width(), backBuffer.Height());
    const TRect r = IntersectRect(dirty, Rect(0, 0, backBuffer.Width(), backBuffer.Height()));
    if (!r.IsEmpty())
        for (int y = r.Top; y < r.Bottom; ++y)
            std::memcpy(w->Screen->ScanLine(y) + r.Left, backBuffer.ScanLine(y) + r.Left, r.Width() * sizeof(TPixel));
    w->Presented.push_back(r);
}

void THeadlessPlatform::SetCursor(TWindowId window, TCursor cursor) {
    if (Window* w = FindWindow(window)) w->Cursor = cursor;
}

void THeadlessPlatform::FocusWindow(TWindowId) {}

void THeadlessPlatform::ProcessEvents(bool wait, int64_t deadlineMs) {
    FWoken = false;
    if (!FQueue.empty()) {
        // Deliver what is queued now; events a handler queues wait for the next call, as a
        // real queue would hand them out one round later.
        std::deque<TPlatformEvent> batch;
        batch.swap(FQueue);
        for (const TPlatformEvent& e : batch)
            if (OnEvent) OnEvent(e);
        return;
    }
    if (!wait || FWoken) return;
    if (deadlineMs >= 0) {
        // Nothing happens until the next timer is due: jump there.
        if (deadlineMs > FNow) FNow = deadlineMs;
        return;
    }
    if (!OnIdleWait) throw std::logic_error("headless event loop would wait forever: nothing is scheduled");
    OnIdleWait();
}

TLocalDateTime THeadlessPlatform::LocalNow() {
    const TLocalDateTime& s = FLocalStart;
    int64_t ms = ((static_cast<int64_t>(s.Hour) * 60 + s.Minute) * 60 + s.Second) * 1000 + s.Millisecond + FNow;
    int64_t days = DaysFromCivil(s.Year, static_cast<unsigned>(s.Month), static_cast<unsigned>(s.Day));
    days += ms / 86400000;
    ms %= 86400000;
    TLocalDateTime t;
    CivilFromDays(days, t.Year, t.Month, t.Day);
    t.Hour = static_cast<int>(ms / 3600000);
    t.Minute = static_cast<int>(ms / 60000 % 60);
    t.Second = static_cast<int>(ms / 1000 % 60);
    t.Millisecond = static_cast<int>(ms % 1000);
    return t;
}

TPoint THeadlessPlatform::CursorPos(TWindowId window) {
    auto it = FCursor.find(window);
    return it == FCursor.end() ? TPoint{-1, -1} : it->second;
}

bool THeadlessPlatform::ExecuteOpenDialog(TFileDialogRequest& request) {
    FOpenDialogs.push_back(request);
    if (FOpenAnswers.empty()) return false;
    SaveAnswer answer = std::move(FOpenAnswers.front());
    FOpenAnswers.pop_front();
    std::optional<std::string> path = answer(request);
    if (!path) return false;
    request.FileName = std::filesystem::absolute(*path).string();
    return true;
}

bool THeadlessPlatform::ExecuteSaveDialog(TFileDialogRequest& request) {
    FSaveDialogs.push_back(request);
    if (FSaveAnswers.empty()) return false;
    SaveAnswer answer = std::move(FSaveAnswers.front());
    FSaveAnswers.pop_front();
    std::optional<std::string> path = answer(request);
    if (!path) return false;
    std::filesystem::path chosen = std::filesystem::absolute(*path);
    if (!request.DefaultExt.empty() && !chosen.has_extension()) chosen += "." + request.DefaultExt;
    request.FileName = chosen.string();
    return true;
}

TMessageResult THeadlessPlatform::MessageBox(const std::string& caption, const std::string& text, TMessageIcon icon,
                                             TMessageButtons buttons) {
    FMessageBoxes.push_back({caption, text, icon, buttons});
    if (FMessageAnswers.empty()) return mrOKResult;
    TMessageResult r = FMessageAnswers.front();
    FMessageAnswers.pop_front();
    return r;
}

void THeadlessPlatform::Inject(const TPlatformEvent& event) {
    if (event.Type == TPlatformEvent::MouseMove || event.Type == TPlatformEvent::MouseDown ||
        event.Type == TPlatformEvent::MouseUp)
        FCursor[event.Window] = event.Pos;
    FQueue.push_back(event);
}

void THeadlessPlatform::MoveMouse(TWindowId window, TPoint p) {
    TPlatformEvent e;
    e.Type = TPlatformEvent::MouseMove;
    e.Window = window;
    e.Pos = p;
    e.Shift = FKeyState;
    Inject(e);
}

void THeadlessPlatform::Click(TWindowId window, TPoint p, TMouseButton button, TShiftState shift) {
    MoveMouse(window, p);
    TPlatformEvent e;
    e.Window = window;
    e.Pos = p;
    e.Button = button;
    e.Type = TPlatformEvent::MouseDown;
    e.Shift = shift;
    e.Shift.Include(button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle);
    Inject(e);
    e.Type = TPlatformEvent::MouseUp;
    e.Shift = shift;
    Inject(e);
}

void THeadlessPlatform::PressKey(TWindowId window, Word key, TShiftState shift) {
    TPlatformEvent e;
    e.Window = window;
    e.Key = key;
    e.Shift = shift;
    e.Type = TPlatformEvent::KeyDown;
    Inject(e);
    e.Type = TPlatformEvent::KeyUp;
    Inject(e);
}

void THeadlessPlatform::TypeText(TWindowId window, const std::string& ansi) {
    for (char c : ansi) {
        TPlatformEvent e;
        e.Window = window;
        e.Type = TPlatformEvent::Char;
        e.Text = c;
        Inject(e);
    }
}

void THeadlessPlatform::AnswerSaveDialog(std::optional<std::string> path) {
    FSaveAnswers.push_back([path](const TSaveDialogRequest&) { return path; });
}

void THeadlessPlatform::AnswerSaveDialog(SaveAnswer answer) { FSaveAnswers.push_back(std::move(answer)); }

void THeadlessPlatform::AnswerOpenDialog(std::optional<std::string> path) {
    FOpenAnswers.push_back([path](const TFileDialogRequest&) { return path; });
}

void THeadlessPlatform::AnswerOpenDialog(SaveAnswer answer) { FOpenAnswers.push_back(std::move(answer)); }

void THeadlessPlatform::DropFiles(TWindowId window, const std::vector<std::string>& paths, TPoint p) {
    TPlatformEvent e;
    e.Type = TPlatformEvent::FilesDropped;
    e.Window = window;
    e.Pos = p;
    e.Files = paths;
    Inject(e);
}

THeadlessPlatform::Window* THeadlessPlatform::FindWindow(TWindowId id) {
    auto it = FWindows.find(id);
    return it == FWindows.end() ? nullptr : &it->second;
}

TWindowId THeadlessPlatform::LastWindow() const {
    for (auto it = FWindows.rbegin(); it != FWindows.rend(); ++it)
        if (!it->second.Destroyed) return it->first;
    return 0;
}

const TBitmap* THeadlessPlatform::Screen(TWindowId window) {
    Window* w = FindWindow(window);
    return w ? w->Screen.get() : nullptr;
}

THeadlessPlatform& InstallHeadlessPlatform() {
    auto platform = std::make_unique<THeadlessPlatform>();
    THeadlessPlatform& ref = *platform;
    InstallPlatform(std::move(platform));
    return ref;
}

// ---------------------------------------------------------------- assistive tools

void THeadlessPlatform::AccessibleEvent(TWindowId window, TAccessibleId id, TAccessibleEvent event) {
    FAccessibleEvents.push_back({window, id, event});
}

TAccessibleTree* THeadlessPlatform::AccessibleTree(TWindowId window) {
    Window* w = FindWindow(window);
    return w && !w->Destroyed ? w->Params.Accessible : nullptr;
}

namespace {

TAccessibleSnapshot Snapshot(TAccessibleTree& tree, TAccessibleId id, int depth) {
    TAccessibleSnapshot node;
    node.Id = id;
    if (!tree.Describe(id, node.Info)) throw std::logic_error("the accessible tree names an object it cannot describe");
    // A tree is shallow; a cycle would be a fault of the tree.
    if (depth > 64) throw std::logic_error("the accessible tree is deeper than any window");
    for (const TAccessibleId& child : node.Info.Children) node.Children.push_back(Snapshot(tree, child, depth + 1));
    return node;
}

void Collect(const TAccessibleSnapshot& node, const std::function<bool(const TAccessibleSnapshot&)>& pred,
             std::vector<const TAccessibleSnapshot*>& out) {
    if (pred(node)) out.push_back(&node);
    for (const TAccessibleSnapshot& child : node.Children) Collect(child, pred, out);
}

}  // namespace

TAccessibleSnapshot SnapshotAccessibleTree(TAccessibleTree& tree) { return Snapshot(tree, tree.Root(), 0); }

std::vector<const TAccessibleSnapshot*> TAccessibleSnapshot::FindAll(
    const std::function<bool(const TAccessibleSnapshot&)>& pred) const {
    std::vector<const TAccessibleSnapshot*> out;
    Collect(*this, pred, out);
    return out;
}

const TAccessibleSnapshot* TAccessibleSnapshot::Find(TAccessibleRole role, const std::string& name) const {
    const auto all = FindAll([&](const TAccessibleSnapshot& n) { return n.Info.Role == role && n.Info.Name == name; });
    return all.empty() ? nullptr : all.front();
}
