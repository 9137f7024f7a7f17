// Assistive tools through Qt's accessibility. Sections:
//   1. the bridge's records: windows, and the interfaces made for their objects
//   2. what changed: Qt events from the difference between what a tool was told and now
//   3. ObjectInterface: one object of a window's tree
//   4. WindowInterface: the window widget, whose children are the tree's
//   5. entry points
#include "framework/platform/qt/qt_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <climits>
#include <map>

#include "framework/graphics/codepage.h"

namespace {

QString FromAnsi(const std::string& s) { return QString::fromStdString(AnsiToUtf8(s)); }

bool Contains(const std::vector<TAccessibleId>& ids, TAccessibleId id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

void Send(QAccessibleEvent& event) { QAccessible::updateAccessibility(&event); }

// ---------------------------------------------------------------- 1. the bridge's records

struct TWindowRecord {
    TAccessibleTree* Tree = nullptr;
    // What a tool was last told about the window itself; valid once one asked.
    TAccessibleInfo Seen;
    bool SeenValid = false;
};

using TObjectKey = std::pair<uint32_t, int>;

struct TBridge {
    std::map<const QWidget*, TWindowRecord> Windows;
    std::map<TObjectKey, QAccessible::Id> Objects;  // Qt's cache owns the interfaces
};

// Never freed: Qt may still ask while the program shuts down.
TBridge& Bridge() {
    static TBridge* bridge = new TBridge;
    return *bridge;
}

TWindowRecord* RecordOf(const QWidget* window) {
    auto it = Bridge().Windows.find(window);
    return it == Bridge().Windows.end() ? nullptr : &it->second;
}

TObjectKey KeyOf(TAccessibleId id) { return {id.Object, id.Part}; }

class ObjectInterface;
// The interface of an object, made when there is none yet (nullptr: no such object).
QAccessibleInterface* InterfaceFor(QWidget* window, TAccessibleId id);
// The interface of an object, when a tool has one.
ObjectInterface* ExistingInterface(TAccessibleId id);
QAccessibleInterface* KnownInterface(TAccessibleId id);

// ---------------------------------------------------------------- 2. what changed

void AnnounceTextChange(QAccessibleInterface* iface, const std::string& before, const std::string& after) {
    const QString a = FromAnsi(before), b = FromAnsi(after);
    qsizetype p = 0;
    while (p < a.size() && p < b.size() && a[p] == b[p]) ++p;
    qsizetype s = 0;
    while (s < a.size() - p && s < b.size() - p && a[a.size() - 1 - s] == b[b.size() - 1 - s]) ++s;
    const QString removed = a.mid(p, a.size() - p - s), inserted = b.mid(p, b.size() - p - s);
    const int at = static_cast<int>(p);
    if (!removed.isEmpty() && !inserted.isEmpty()) {
        QAccessibleTextUpdateEvent e(iface, at, removed, inserted);
        Send(e);
    } else if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent e(iface, at, inserted);
        Send(e);
    } else if (!removed.isEmpty()) {
        QAccessibleTextRemoveEvent e(iface, at, removed);
        Send(e);
    }
}

void AnnounceStateChange(QAccessibleInterface* iface, void (*mark)(QAccessible::State&)) {
    QAccessible::State changed;
    mark(changed);
    QAccessibleStateChangeEvent e(iface, changed);
    Send(e);
}

// Tells Qt what differs, for the kind of announcement, between seen (what a tool was last
// told about iface) and now; seen then holds what it has been told.
void AnnounceChange(QAccessibleInterface* iface, QWidget* window, TAccessibleInfo& seen, const TAccessibleInfo& now,
                    TAccessibleEvent event) {
    switch (event) {
        case aeFocus: {
            QAccessibleEvent e(iface, QAccessible::Focus);
            Send(e);
            seen.States = now.States;
            break;
        }
        case aeChanged:
            if (now.Name != seen.Name) {
                QAccessibleEvent e(iface, QAccessible::NameChanged);
                Send(e);
            }
            if (now.Has(asDisabled) != seen.Has(asDisabled))
                AnnounceStateChange(iface, [](QAccessible::State& s) { s.disabled = true; });
            // Gaining the focus is announced by its own event.
            if (seen.Has(asFocused) && !now.Has(asFocused))
                AnnounceStateChange(iface, [](QAccessible::State& s) { s.focused = true; });
            if (now.Has(asSelected) != seen.Has(asSelected)) {
                QAccessibleEvent e(iface,
                                   now.Has(asSelected) ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
                Send(e);
            }
            if (now.Has(asInvisible) != seen.Has(asInvisible)) {
                QAccessibleEvent e(iface, now.Has(asInvisible) ? QAccessible::ObjectHide : QAccessible::ObjectShow);
                Send(e);
            }
            if (now.HasText && now.Text != seen.Text) AnnounceTextChange(iface, seen.Text, now.Text);
            seen.Name = now.Name;
            seen.States = now.States;
            seen.HasText = now.HasText;
            seen.Text = now.Text;
            break;
        case aeCaretMoved:
            if (now.HasText && now.Text != seen.Text) AnnounceTextChange(iface, seen.Text, now.Text);
            seen.Text = now.Text;
            if (now.Caret != seen.Caret) {
                QAccessibleTextCursorEvent e(iface, now.Caret);
                Send(e);
            }
            if (now.SelStart != seen.SelStart || now.SelEnd != seen.SelEnd) {
                QAccessibleTextSelectionEvent e(iface, now.SelStart, now.SelEnd);
                Send(e);
            }
            seen.Caret = now.Caret;
            seen.SelStart = now.SelStart;
            seen.SelEnd = now.SelEnd;
            break;
        case aeChildrenChanged:
            // A child that left stays known to Qt (it may come back): its last parent still
            // names it, so the tool hears it removed from there.
            for (const TAccessibleId& old : seen.Children)
                if (!Contains(now.Children, old))
                    if (QAccessibleInterface* child = KnownInterface(old)) {
                        QAccessibleEvent e(child, QAccessible::ObjectDestroyed);
                        Send(e);
                    }
            for (const TAccessibleId& added : now.Children)
                if (!Contains(seen.Children, added))
                    if (QAccessibleInterface* child = InterfaceFor(window, added)) {
                        QAccessibleEvent e(child, QAccessible::ObjectCreated);
                        Send(e);
                    }
            seen.Children = now.Children;
            break;
        case aeMoved:
            if (!(now.Bounds == seen.Bounds)) {
                QAccessibleEvent e(iface, QAccessible::LocationChanged);
                Send(e);
            }
            seen.Bounds = now.Bounds;
            break;
        case aeGone: break;
    }
}

// ---------------------------------------------------------------- 3. ObjectInterface

QAccessible::Role QtRole(TAccessibleRole role) {
    switch (role) {
        case arNone: return QAccessible::NoRole;
        case arWindow: return QAccessible::Window;
        case arPanel: return QAccessible::Pane;
        case arPageTabList: return QAccessible::PageTabList;
        case arPageTab: return QAccessible::PageTab;
        case arPushButton: return QAccessible::PushButton;
        case arEditableText: return QAccessible::EditableText;
        case arStaticText: return QAccessible::StaticText;
        case arStatusBar: return QAccessible::StatusBar;
        case arSeparator: return QAccessible::Separator;
    }
    return QAccessible::NoRole;
}

QString QtActionName(TAccessibleAction action) {
    switch (action) {
        case aaPress: return QAccessibleActionInterface::pressAction();
        case aaSelect: return QStringLiteral("Select");
        case aaFocus: return QAccessibleActionInterface::setFocusAction();
    }
    return {};
}

class ObjectInterface : public QAccessibleInterface,
                        public QAccessibleActionInterface,
                        public QAccessibleTextInterface {
public:
    ObjectInterface(QWidget* window, TAccessibleId id) : FWindow(window), FId(id) {
        if (Describe(FSeen)) FLastParent = FSeen.Parent;
    }
    QWidget* Window() const { return FWindow; }
    TAccessibleId Id() const { return FId; }

    // The framework announced something about this object.
    void Announce(TAccessibleEvent event) {
        TAccessibleInfo now;
        if (!Describe(now)) return;
        if (now.Parent.Valid()) FLastParent = now.Parent;
        AnnounceChange(this, FWindow, FSeen, now, event);
    }

    // ---- QAccessibleInterface
    bool isValid() const override {
        const TWindowRecord* r = RecordOf(FWindow);
        return r && r->Tree->Exists(FId);
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FWindow->windowHandle(); }
    QAccessibleInterface* parent() const override {
        TAccessibleInfo info;
        if (Describe(info) && info.Parent.Valid()) FLastParent = info.Parent;
        if (QAccessibleInterface* p = InterfaceFor(FWindow, FLastParent)) return p;
        return QAccessible::queryAccessibleInterface(FWindow);
    }
    QAccessibleInterface* child(int index) const override {
        TAccessibleInfo info;
        if (!Describe(info) || index < 0 || index >= static_cast<int>(info.Children.size())) return nullptr;
        return InterfaceFor(FWindow, info.Children[index]);
    }
    int childCount() const override {
        TAccessibleInfo info;
        return Describe(info) ? static_cast<int>(info.Children.size()) : 0;
    }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0, n = childCount(); i < n; ++i)
            if (QAccessibleInterface* c = child(i); c && c->rect().contains(x, y)) return c;
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        TAccessibleInfo info;
        if (!Describe(info)) return {};
        if (t == QAccessible::Name) return FromAnsi(info.Name);
        if (t == QAccessible::Value && info.HasText) return FromAnsi(info.Text);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        TAccessibleInfo info;
        if (!Describe(info) || info.Bounds.IsEmpty()) return {};
        const QPoint topLeft = FWindow->mapToGlobal(QPoint(info.Bounds.Left, info.Bounds.Top));
        return {topLeft, QSize(info.Bounds.Width(), info.Bounds.Height())};
    }
    QAccessible::Role role() const override {
        TAccessibleInfo info;
        return Describe(info) ? QtRole(info.Role) : QAccessible::NoRole;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        TAccessibleInfo info;
        if (!Describe(info)) return s;
        s.disabled = info.Has(asDisabled);
        s.focusable = info.Has(asFocusable);
        s.focused = info.Has(asFocused);
        s.selectable = info.Has(asSelectable);
        s.selected = info.Has(asSelected);
        s.readOnly = info.Has(asReadOnly);
        s.multiLine = info.Has(asMultiLine);
        s.invisible = info.Has(asInvisible);
        if (info.Role == arEditableText) {
            s.editable = !info.Has(asReadOnly);
            s.selectableText = true;
        }
        return s;
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> out;
        TAccessibleInfo info;
        if (match.testFlag(QAccessible::Label) && Describe(info) && info.LabelledBy.Valid())
            if (QAccessibleInterface* label = InterfaceFor(FWindow, info.LabelledBy))
                out.append({label, QAccessible::Label});
        return out;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        TAccessibleInfo info;
        if (!Describe(info)) return nullptr;
        if (t == QAccessible::ActionInterface && !info.Actions.empty())
            return static_cast<QAccessibleActionInterface*>(this);
        if (t == QAccessible::TextInterface && info.HasText) return static_cast<QAccessibleTextInterface*>(this);
        return nullptr;
    }

    // ---- QAccessibleActionInterface
    QStringList actionNames() const override {
        QStringList names;
        TAccessibleInfo info;
        if (Describe(info))
            for (TAccessibleAction a : info.Actions) names << QtActionName(a);
        return names;
    }
    QString localizedActionDescription(const QString& name) const override {
        if (name == QtActionName(aaSelect)) return QStringLiteral("Shows the page of this tab");
        return QAccessibleActionInterface::localizedActionDescription(name);
    }
    void doAction(const QString& name) override {
        TAccessibleInfo info;
        if (!Describe(info)) return;
        for (TAccessibleAction a : info.Actions)
            if (QtActionName(a) == name) Tree()->DoAction(FId, a);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // ---- QAccessibleTextInterface (offsets count characters of the text as the tree gives it)
    void selection(int index, int* start, int* end) const override {
        TAccessibleInfo info;
        *start = *end = 0;
        if (index == 0 && Describe(info) && info.SelStart != info.SelEnd) {
            *start = info.SelStart;
            *end = info.SelEnd;
        }
    }
    int selectionCount() const override {
        TAccessibleInfo info;
        return Describe(info) && info.SelStart != info.SelEnd ? 1 : 0;
    }
    void addSelection(int start, int end) override { Tree()->SetTextSelection(FId, start, end); }
    void removeSelection(int index) override {
        TAccessibleInfo info;
        if (index == 0 && Describe(info)) Tree()->SetTextSelection(FId, info.Caret, info.Caret);
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) Tree()->SetTextSelection(FId, start, end);
    }
    int cursorPosition() const override {
        TAccessibleInfo info;
        return Describe(info) ? info.Caret : 0;
    }
    void setCursorPosition(int position) override { Tree()->SetTextSelection(FId, position, position); }
    QString text(int start, int end) const override {
        TAccessibleInfo info;
        if (!Describe(info)) return {};
        const QString all = FromAnsi(info.Text);
        start = std::clamp(start, 0, static_cast<int>(all.size()));
        end = std::clamp(end, start, static_cast<int>(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override {
        TAccessibleInfo info;
        return Describe(info) ? static_cast<int>(FromAnsi(info.Text).size()) : 0;
    }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    TAccessibleTree* Tree() const {
        // Only called on a valid interface, whose window is attached.
        return RecordOf(FWindow)->Tree;
    }
    bool Describe(TAccessibleInfo& info) const {
        const TWindowRecord* r = RecordOf(FWindow);
        return r && r->Tree->Describe(FId, info);
    }

    QWidget* FWindow;
    TAccessibleId FId;
    TAccessibleInfo FSeen;              // what a tool was last told
    mutable TAccessibleId FLastParent;  // where it was last presented
};

// The position of child among ids, -1 when it is none of them (or not one of ours).
int IndexOf(const std::vector<TAccessibleId>& ids, const QAccessibleInterface* child) {
    auto* object = dynamic_cast<const ObjectInterface*>(child);
    if (!object) return -1;
    const auto it = std::find(ids.begin(), ids.end(), object->Id());
    return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}

int ObjectInterface::indexOfChild(const QAccessibleInterface* child) const {
    TAccessibleInfo info;
    return Describe(info) ? IndexOf(info.Children, child) : -1;
}

ObjectInterface* ExistingInterface(TAccessibleId id) {
    const auto it = Bridge().Objects.find(KeyOf(id));
    if (it == Bridge().Objects.end()) return nullptr;
    return static_cast<ObjectInterface*>(QAccessible::accessibleInterface(it->second));
}

QAccessibleInterface* KnownInterface(TAccessibleId id) { return ExistingInterface(id); }

QAccessibleInterface* InterfaceFor(QWidget* window, TAccessibleId id) {
    TWindowRecord* r = RecordOf(window);
    if (!r || !id.Valid()) return nullptr;
    if (id == r->Tree->Root()) return QAccessible::queryAccessibleInterface(window);
    if (ObjectInterface* known = ExistingInterface(id)) return known;
    if (!r->Tree->Exists(id)) return nullptr;
    auto* made = new ObjectInterface(window, id);
    Bridge().Objects[KeyOf(id)] = QAccessible::registerAccessibleInterface(made);
    return made;
}

// ---------------------------------------------------------------- 4. WindowInterface

class WindowInterface : public QAccessibleWidget {
public:
    explicit WindowInterface(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override {
        TAccessibleInfo info;
        return Root(info) ? static_cast<int>(info.Children.size()) : 0;
    }
    QAccessibleInterface* child(int index) const override {
        TAccessibleInfo info;
        if (!Root(info) || index < 0 || index >= static_cast<int>(info.Children.size())) return nullptr;
        return InterfaceFor(widget(), info.Children[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        TAccessibleInfo info;
        return Root(info) ? IndexOf(info.Children, child) : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0, n = childCount(); i < n; ++i)
            if (QAccessibleInterface* c = child(i); c && c->rect().contains(x, y)) return c;
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        TWindowRecord* r = RecordOf(widget());
        if (!r) return nullptr;
        const TAccessibleId focus = r->Tree->Focus();
        return focus == r->Tree->Root() ? nullptr : InterfaceFor(widget(), focus);
    }
    QString text(QAccessible::Text t) const override {
        TAccessibleInfo info;
        if (t == QAccessible::Name && Root(info)) return FromAnsi(info.Name);
        return QAccessibleWidget::text(t);
    }
    // Qt's focus is on the window widget, but the focused object is the control inside.
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (focusChild()) s.focused = false;
        return s;
    }

private:
    // The window's own object; a tool that asks has seen its children from now on.
    bool Root(TAccessibleInfo& info) const {
        TWindowRecord* r = RecordOf(widget());
        if (!r || !r->Tree->Describe(r->Tree->Root(), info)) return false;
        if (!r->SeenValid) {
            r->Seen = info;
            r->SeenValid = true;
        }
        return true;
    }
};

QAccessibleInterface* WindowFactory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    return RecordOf(widget) ? new WindowInterface(widget) : nullptr;
}

void ForgetObject(uint32_t object) {
    auto& objects = Bridge().Objects;
    auto it = objects.lower_bound({object, INT_MIN});
    while (it != objects.end() && it->first.first == object) {
        QAccessible::deleteAccessibleInterface(it->second);
        it = objects.erase(it);
    }
}

}  // namespace

// ---------------------------------------------------------------- 5. entry points

void InstallAccessibleInterfaces() {
    static const bool installed = (QAccessible::installFactory(&WindowFactory), true);
    (void)installed;
}

void AttachAccessibleTree(QWidget* window, TAccessibleTree* tree) {
    if (window && tree) Bridge().Windows[window].Tree = tree;
}

void DetachAccessibleTree(QWidget* window) {
    auto& objects = Bridge().Objects;
    for (auto it = objects.begin(); it != objects.end();) {
        auto* iface = static_cast<ObjectInterface*>(QAccessible::accessibleInterface(it->second));
        if (iface && iface->Window() != window) {
            ++it;
            continue;
        }
        if (iface) QAccessible::deleteAccessibleInterface(it->second);
        it = objects.erase(it);
    }
    Bridge().Windows.erase(window);
}

bool AccessibleToolsListening() { return QAccessible::isActive(); }

void AnnounceAccessible(QWidget* window, TAccessibleId id, TAccessibleEvent event) {
    if (event == aeGone) {
        ForgetObject(id.Object);
        return;
    }
    if (!QAccessible::isActive()) return;
    TWindowRecord* r = RecordOf(window);
    if (!r) return;
    if (id.Object == r->Tree->Root().Object) {
        TAccessibleInfo now;
        if (!r->Tree->Describe(r->Tree->Root(), now)) return;
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
        if (!root) return;
        // A tool that never asked about the window has nothing to be told of its children.
        if (!r->SeenValid && event != aeFocus) return;
        AnnounceChange(root, window, r->Seen, now, event);
        return;
    }
    if (event == aeChanged || event == aeChildrenChanged) {
        // The control and every part of it that a tool knows.
        auto& objects = Bridge().Objects;
        std::vector<ObjectInterface*> known;
        for (auto it = objects.lower_bound({id.Object, INT_MIN}); it != objects.end() && it->first.first == id.Object;
             ++it)
            if (auto* iface = static_cast<ObjectInterface*>(QAccessible::accessibleInterface(it->second)))
                known.push_back(iface);
        for (ObjectInterface* iface : known) iface->Announce(event);
        return;
    }
    QAccessibleInterface* iface = event == aeFocus ? InterfaceFor(window, id) : ExistingInterface(id);
    if (auto* object = dynamic_cast<ObjectInterface*>(iface)) object->Announce(event);
}
