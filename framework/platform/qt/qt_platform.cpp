// The Qt 6 driver.
//
// Sections: start-up · key translation · the window widget · the driver · dialogs · factory
#include "framework/platform/qt/qt_platform.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include <unistd.h>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "framework/graphics/codepage.h"
#include "framework/platform/qt/qt_accessibility.h"

namespace {

// ---------------------------------------------------------------- start-up

// Qt ends the process with abort() when it cannot reach a display; say it in one line and
// leave with an error code instead of a core dump.
void ReportQtMessage(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtFatalMsg) {
        // One line: Qt's first sentence is enough to tell what went wrong.
        const QString first = msg.section('\n', 0, 0).trimmed();
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "%s: cannot show a window on display \"%s\": %s\n", program_invocation_short_name,
                     display ? display : "", first.toLocal8Bit().constData());
        std::fflush(stderr);
        _exit(1);
    }
    if (std::getenv("VERBOLT_QT_DEBUG")) std::fprintf(stderr, "qt: %s\n", msg.toLocal8Bit().constData());
}

QString FromAnsi(const std::string& s) { return QString::fromStdString(AnsiToUtf8(s)); }
std::string ToAnsi(const QString& s) { return Utf8ToAnsi(s.toStdString()); }

// ---------------------------------------------------------------- key translation

Word VirtualKey(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<Word>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<Word>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Control: return VK_CONTROL;
        case Qt::Key_Alt: return VK_MENU;
        case Qt::Key_Pause: return VK_PAUSE;
        case Qt::Key_CapsLock: return VK_CAPITAL;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Space: return VK_SPACE;
        case Qt::Key_PageUp: return VK_PRIOR;
        case Qt::Key_PageDown: return VK_NEXT;
        case Qt::Key_End: return VK_END;
        case Qt::Key_Home: return VK_HOME;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_Insert: return VK_INSERT;
        case Qt::Key_Delete: return VK_DELETE;
        case Qt::Key_Menu: return VK_APPS;
        default: return 0;
    }
}

TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b = Qt::NoButton) {
    TShiftState s;
    if (m & Qt::ShiftModifier) s.Include(ssShift);
    if (m & Qt::ControlModifier) s.Include(ssCtrl);
    if (m & Qt::AltModifier) s.Include(ssAlt);
    if (b & Qt::LeftButton) s.Include(ssLeft);
    if (b & Qt::RightButton) s.Include(ssRight);
    if (b & Qt::MiddleButton) s.Include(ssMiddle);
    return s;
}

bool ButtonOf(Qt::MouseButton b, TMouseButton& out) {
    switch (b) {
        case Qt::LeftButton: out = mbLeft; return true;
        case Qt::RightButton: out = mbRight; return true;
        case Qt::MiddleButton: out = mbMiddle; return true;
        default: return false;
    }
}

Qt::CursorShape CursorShapeOf(TCursor c) {
    switch (c) {
        case crNone: return Qt::BlankCursor;
        case crCross: return Qt::CrossCursor;
        case crIBeam: return Qt::IBeamCursor;
        case crSizeNESW: return Qt::SizeBDiagCursor;
        case crSizeNS:
        case crVSplit: return Qt::SizeVerCursor;
        case crSizeNWSE: return Qt::SizeFDiagCursor;
        case crSizeWE:
        case crHSplit: return Qt::SizeHorCursor;
        case crUpArrow: return Qt::UpArrowCursor;
        case crHourGlass: return Qt::WaitCursor;
        case crDrag:
        case crMultiDrag: return Qt::DragCopyCursor;
        case crNoDrop:
        case crNo: return Qt::ForbiddenCursor;
        case crAppStart: return Qt::BusyCursor;
        case crHelp: return Qt::WhatsThisCursor;
        case crHandPoint: return Qt::PointingHandCursor;
        case crSizeAll: return Qt::SizeAllCursor;
        default: return Qt::ArrowCursor;
    }
}

// ---------------------------------------------------------------- the window widget

// Shows the framework's back buffer and turns Qt's input into platform events.
class BackBufferWidget : public QWidget {
public:
    BackBufferWidget(TWindowId id, std::function<void(const TPlatformEvent&)>* sink) : FId(id), FSink(sink) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_InputMethodEnabled);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAcceptDrops(true);
    }

    // Copies the dirty part of the back buffer and asks Qt to show it.
    // The back buffer is shown where it lies, without a copy: the image only wraps its
    // pixels (the form's buffer outlives this widget, which the form destroys first).
    void Present(const TBitmap& buffer, const TRect& dirty) {
        FSource = &buffer;
        WrapSource();
        const TRect r = IntersectRect(dirty, Rect(0, 0, buffer.Width(), buffer.Height()));
        const double s = BufferToWidget();
        update(QRectF(r.Left * s, r.Top * s, r.Width() * s, r.Height() * s).toAlignedRect());
    }

    // The window is as large as the client area at the whole-number pixel scale, and
    // follows the scale when the window moves to another screen.
    void SetClientSize(int width, int height, bool fixed) {
        FClientWidth = width;
        FClientHeight = height;
        FFixed = fixed;
        FitToScale();
    }

    // A point of the widget as a pixel of the back buffer.
    TPoint ToBuffer(QPointF pos) const {
        const double s = BufferToWidget();
        return {static_cast<int>(std::floor(pos.x() / s)), static_cast<int>(std::floor(pos.y() / s))};
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        WrapSource();  // the buffer may have been made anew since it was last presented
        if (FImage.isNull()) {
            p.fillRect(e->rect(), Qt::white);
            return;
        }
        // Each pixel of the back buffer is a PixelScale() square of screen pixels, copied
        // without smoothing, so the design stays crisp on a high-density screen.
        const double s = BufferToWidget();
        if (width() > FImage.width() * s || height() > FImage.height() * s)
            p.fillRect(e->rect(), QColor(FImage.pixel(FImage.width() - 1, FImage.height() - 1)));
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.scale(s, s);
        const QRect area = QRectF(e->rect().x() / s, e->rect().y() / s, e->rect().width() / s, e->rect().height() / s)
                               .toAlignedRect()
                               .intersected(FImage.rect());
        p.drawImage(area, FImage, area);
    }
    void showEvent(QShowEvent*) override {
        if (FScreenWatched || windowHandle() == nullptr) return;
        FScreenWatched = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] {
            FitToScale();
            update();
        });
        FitToScale();
    }

    void mousePressEvent(QMouseEvent* e) override { Mouse(TPlatformEvent::MouseDown, e, false); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { Mouse(TPlatformEvent::MouseDown, e, true); }
    void mouseReleaseEvent(QMouseEvent* e) override { Mouse(TPlatformEvent::MouseUp, e, false); }
    void mouseMoveEvent(QMouseEvent* e) override { Mouse(TPlatformEvent::MouseMove, e, false); }
    void leaveEvent(QEvent*) override {
        TPlatformEvent ev = Base(TPlatformEvent::MouseLeave);
        Send(ev);
    }
    void wheelEvent(QWheelEvent* e) override {
        TPlatformEvent ev = Base(TPlatformEvent::MouseWheel);
        ev.Pos = ToBuffer(e->position());
        ev.WheelDelta = e->angleDelta().y();  // Qt's units are the classic 120 a notch
        ev.Shift = ShiftOf(e->modifiers(), e->buttons());
        if (ev.WheelDelta != 0) Send(ev);
        e->accept();
    }
    void keyPressEvent(QKeyEvent* e) override { Key(TPlatformEvent::KeyDown, e); }
    void keyReleaseEvent(QKeyEvent* e) override { Key(TPlatformEvent::KeyUp, e); }
    void inputMethodEvent(QInputMethodEvent* e) override {
        Chars(e->commitString());
        e->accept();
    }
    // Files from a file manager: only local files are offered to the framework. A drag's
    // data is fixed when it starts, so the list read as it entered is the one dropped;
    // asking the source again at the drop can stall for seconds when it is slow to answer.
    void dragEnterEvent(QDragEnterEvent* e) override {
        FDraggedFiles = LocalFiles(e->mimeData());
        if (!FDraggedFiles.empty()) e->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* e) override {
        if (!FDraggedFiles.empty()) e->acceptProposedAction();
    }
    void dragLeaveEvent(QDragLeaveEvent*) override { FDraggedFiles.clear(); }
    void dropEvent(QDropEvent* e) override {
        TPlatformEvent ev = Base(TPlatformEvent::FilesDropped);
        ev.Files = std::move(FDraggedFiles);
        FDraggedFiles.clear();
        if (ev.Files.empty()) return;
        ev.Pos = ToBuffer(e->position());
        e->acceptProposedAction();
        // The drag source waits for the drop to end; the file is opened once it has.
        QTimer::singleShot(0, this, [this, ev] { Send(ev); });
    }
    bool focusNextPrevChild(bool) override { return false; }  // Tab belongs to the framework
    void focusInEvent(QFocusEvent*) override { Send(Base(TPlatformEvent::Activate)); }
    void focusOutEvent(QFocusEvent* e) override {
        // A popup of our own (none today) would not count; anything else is deactivation.
        if (e->reason() != Qt::PopupFocusReason) Send(Base(TPlatformEvent::Deactivate));
    }
    void closeEvent(QCloseEvent* e) override {
        e->ignore();  // the framework decides whether the window closes
        Send(Base(TPlatformEvent::CloseRequest));
    }

private:
    static std::vector<std::string> LocalFiles(const QMimeData* data) {
        std::vector<std::string> files;
        if (data == nullptr || !data->hasUrls()) return files;
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        return files;
    }
    TPlatformEvent Base(TPlatformEvent::Kind kind) const {
        TPlatformEvent ev;
        ev.Type = kind;
        ev.Window = FId;
        return ev;
    }
    void Send(const TPlatformEvent& ev) {
        if (*FSink) (*FSink)(ev);
    }
    void Mouse(TPlatformEvent::Kind kind, QMouseEvent* e, bool dbl) {
        TPlatformEvent ev = Base(kind);
        ev.Pos = ToBuffer(e->position());
        ev.Shift = ShiftOf(e->modifiers(), e->buttons());
        if (kind != TPlatformEvent::MouseMove && !ButtonOf(e->button(), ev.Button)) return;
        if (dbl) ev.Shift.Include(ssDouble);
        // A press on a window that is not active activates it first, as a click-to-focus
        // desktop does (and as nothing else does when no window manager runs, or when a
        // closed dialog left no active window behind).
        if (kind == TPlatformEvent::MouseDown && !isActiveWindow()) {
            activateWindow();
            setFocus(Qt::MouseFocusReason);
            Send(Base(TPlatformEvent::Activate));
        }
        Send(ev);
    }
    void Key(TPlatformEvent::Kind kind, QKeyEvent* e) {
        TPlatformEvent ev = Base(kind);
        ev.Key = VirtualKey(e->key());
        ev.Shift = ShiftOf(e->modifiers());
        ev.AutoRepeat = e->isAutoRepeat();
        if (ev.Key != 0) Send(ev);
        // Characters follow their key, as a classic desktop sends them; control characters
        // (Enter, Tab, Backspace, Escape) are keys only, except Ctrl+letters the edits need.
        if (kind == TPlatformEvent::KeyDown) {
            const QString text = e->text();
            if (!text.isEmpty() && !(e->modifiers() & Qt::AltModifier)) {
                const char32_t first = text.at(0).unicode();
                if (first >= 0x20 && first != 0x7F) Chars(text);
            }
        }
        e->accept();
    }
    void Chars(const QString& text) {
        for (char32_t cp : text.toUcs4()) {
            TPlatformEvent ev = Base(TPlatformEvent::Char);
            ev.CodePoint = cp;
            uint8_t ansi = 0;
            ev.Text = UnicodeToAnsiChar(cp, AnsiCodePage(), ansi) ? static_cast<char>(ansi) : 0;
            Send(ev);
        }
    }

    // The device pixel ratio rounded to a whole number: a fractional ratio would smear the
    // back buffer's pixels over uneven squares.
    int PixelScale() const { return std::max(1, static_cast<int>(std::lround(devicePixelRatioF()))); }
    // The size of one back-buffer pixel in the widget's own (device-independent) units.
    double BufferToWidget() const { return PixelScale() / devicePixelRatioF(); }
    void FitToScale() {
        const double s = BufferToWidget();
        // The small epsilon keeps a size that is whole already from growing by one.
        const QSize size(static_cast<int>(std::ceil(FClientWidth * s - 1e-6)),
                         static_cast<int>(std::ceil(FClientHeight * s - 1e-6)));
        if (FFixed) setFixedSize(size);
        else resize(size);
    }

    void WrapSource() {
        if (FSource == nullptr || FSource->Empty()) {
            FImage = QImage();
            return;
        }
        const auto* bits = reinterpret_cast<const uchar*>(FSource->Bits());
        if (FImage.constBits() == bits && FImage.width() == FSource->Width() && FImage.height() == FSource->Height())
            return;
        FImage = QImage(bits, FSource->Width(), FSource->Height(), FSource->Width() * static_cast<int>(sizeof(TPixel)),
                        QImage::Format_RGB32);
    }

    TWindowId FId;
    std::function<void(const TPlatformEvent&)>* FSink;
    const TBitmap* FSource = nullptr;
    QImage FImage;
    std::vector<std::string> FDraggedFiles;
    int FClientWidth = 0;
    int FClientHeight = 0;
    bool FFixed = false;
    bool FScreenWatched = false;
};

// ---------------------------------------------------------------- the driver

class QtPlatform : public TPlatform {
public:
    QtPlatform(int& argc, char** argv, const TDesktopIdentity& identity) : FApp(argc, argv) {
        // The window class (WM_CLASS) is the application's name; the desktop file name lets
        // the desktop find the program's entry and icon for its windows.
        if (!identity.ProgramName.empty())
            QCoreApplication::setApplicationName(QString::fromStdString(identity.ProgramName));
        if (!identity.DesktopFileName.empty())
            QGuiApplication::setDesktopFileName(QString::fromStdString(identity.DesktopFileName));
        FApp.setQuitOnLastWindowClosed(false);
        FClock.start();
        InstallAccessibleInterfaces();
    }
    ~QtPlatform() override { FWindows.clear(); }
    const char* Name() const override { return "qt"; }

    TWindowId CreateWindow(const TWindowParams& p) override {
        const TWindowId id = FNextId++;
        auto w = std::make_unique<BackBufferWidget>(id, &OnEvent);
        AttachAccessibleTree(w.get(), p.Accessible);
        Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
        if (p.MinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
        if (p.MaximizeBox && p.Resizable) flags |= Qt::WindowMaximizeButtonHint;
        if (p.CloseBox) flags |= Qt::WindowCloseButtonHint;
        w->setWindowFlags(flags);
        w->setWindowTitle(FromAnsi(p.Title));
        if (!FApplicationTitle.isEmpty()) w->setWindowIconText(FApplicationTitle);
        // A fixed window says so in its size hints (minimum = maximum), so no window manager
        // offers to resize it.
        w->SetClientSize(p.ClientWidth, p.ClientHeight, !p.Resizable);
        if (p.PositionGiven) w->move(p.Position.X, p.Position.Y);
        FWindows[id] = std::move(w);
        return id;
    }
    void DestroyWindow(TWindowId id) override {
        if (QWidget* w = Find(id)) DetachAccessibleTree(w);
        FWindows.erase(id);
    }
    void ShowWindow(TWindowId id, bool visible) override {
        if (QWidget* w = Find(id)) {
            w->setVisible(visible);
            if (visible) {
                w->raise();
                w->activateWindow();
            }
        }
    }
    void SetWindowTitle(TWindowId id, const std::string& title) override {
        if (QWidget* w = Find(id)) w->setWindowTitle(FromAnsi(title));
    }
    void SetWindowIcon(TWindowId id, const TBitmap& icon) override {
        QWidget* w = Find(id);
        if (w == nullptr || icon.Empty()) return;
        QImage img(icon.Width(), icon.Height(), QImage::Format_RGB32);
        for (int y = 0; y < icon.Height(); ++y) {
            const TPixel* src = icon.ScanLine(y);
            auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < icon.Width(); ++x) dst[x] = src[x];
        }
        w->setWindowIcon(QIcon(QPixmap::fromImage(img)));
        FApp.setWindowIcon(QIcon(QPixmap::fromImage(img)));
    }
    void Present(TWindowId id, const TBitmap& buffer, const TRect& dirty) override {
        if (BackBufferWidget* w = Find(id)) w->Present(buffer, dirty);
    }
    void SetCursor(TWindowId id, TCursor cursor) override {
        if (QWidget* w = Find(id)) w->setCursor(CursorShapeOf(cursor));
    }
    void FocusWindow(TWindowId id) override {
        if (QWidget* w = Find(id)) w->setFocus(Qt::OtherFocusReason);
    }
    // The taskbar's text for a window is its icon name (_NET_WM_ICON_NAME on X11).
    void SetApplicationTitle(const std::string& title) override {
        FApplicationTitle = FromAnsi(title);
        for (auto& [id, w] : FWindows) w->setWindowIconText(FApplicationTitle);
    }

    void ProcessEvents(bool wait, int64_t deadlineMs) override {
        FWoken = false;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (!wait || FWoken) return;
        // Block until Qt has something for us or our next timer is due.
        QTimer deadline;
        deadline.setSingleShot(true);
        if (deadlineMs >= 0) {
            const int64_t ms = deadlineMs - NowMs();
            if (ms <= 0) return;
            deadline.start(static_cast<int>(std::min<int64_t>(ms, 1 << 30)));
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }
    void Wake() override {
        FWoken = true;
        if (auto* d = QCoreApplication::eventDispatcher()) d->wakeUp();
    }
    int64_t NowMs() override { return FClock.elapsed(); }

    TLocalDateTime LocalNow() override {
        const QDateTime now = QDateTime::currentDateTime();
        const QDate d = now.date();
        const QTime t = now.time();
        return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
    }
    TLocaleFormats LocaleFormats() override;
    TPoint CursorPos(TWindowId id) override {
        BackBufferWidget* w = Find(id);
        if (w == nullptr) return {-1, -1};
        return w->ToBuffer(w->mapFromGlobal(QCursor::pos()));
    }
    TShiftState KeyboardState() override {
        return ShiftOf(QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons());
    }
    std::string ClipboardText() override { return ToAnsi(QGuiApplication::clipboard()->text()); }
    void SetClipboardText(const std::string& ansi) override { QGuiApplication::clipboard()->setText(FromAnsi(ansi)); }
    void Beep() override { QApplication::beep(); }
    bool ExecuteSaveDialog(TFileDialogRequest& request) override { return RunFileDialog(request, true); }
    bool ExecuteOpenDialog(TFileDialogRequest& request) override { return RunFileDialog(request, false); }
    TMessageResult MessageBox(const std::string& caption, const std::string& text, TMessageIcon icon,
                              TMessageButtons buttons) override;
    bool AccessibilityActive() override { return AccessibleToolsListening(); }
    void AccessibleEvent(TWindowId id, TAccessibleId object, TAccessibleEvent event) override {
        AnnounceAccessible(Find(id), object, event);
    }

private:
    bool RunFileDialog(TFileDialogRequest& request, bool save);
    BackBufferWidget* Find(TWindowId id) {
        auto it = FWindows.find(id);
        return it == FWindows.end() ? nullptr : it->second.get();
    }
    QWidget* ActiveParent() {
        for (auto& [id, w] : FWindows)
            if (w->isVisible()) return w.get();
        return nullptr;
    }
    // While a dialog runs its own loop, our timers and painting still need their turns.
    template <class F>
    auto RunModal(F&& body) {
        QTimer service;
        QObject::connect(&service, &QTimer::timeout, [this] {
            if (OnService) OnService();
        });
        service.start(10);
        return body();
    }

    QApplication FApp;
    QString FApplicationTitle;
    QElapsedTimer FClock;
    std::map<TWindowId, std::unique_ptr<BackBufferWidget>> FWindows;
    TWindowId FNextId = 1;
    bool FWoken = false;
};

// ---------------------------------------------------------------- dialogs

// Qt's date pattern letters (d, M, y) → the clock's d/m/y letters; text in quotes dropped.
TLocaleFormats QtPlatform::LocaleFormats() {
    const QLocale locale = QLocale::system();
    TLocaleFormats f;
    const QString date = locale.dateFormat(QLocale::ShortFormat);
    std::string pattern;
    bool quoted = false;
    bool separatorSeen = false;
    for (QChar c : date) {
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        const char ch = static_cast<char>(c.toLatin1());
        if (ch == 'd' || ch == 'M' || ch == 'y') {
            pattern += ch == 'M' ? 'm' : ch;
        } else if (c.isSpace()) {
            // "d MMM yyyy": spaces stand as they are.
            if (!pattern.empty() && pattern.back() != ' ') pattern += ' ';
        } else if (ch != 0 && !pattern.empty() && pattern.back() != '/') {
            if (!separatorSeen) f.DateSeparator = ch;
            separatorSeen = true;
            pattern += '/';
        }
    }
    // The separator is written as "/" in the pattern and replaced by DateSeparator.
    f.ShortDatePattern = pattern;
    const QString time = locale.timeFormat(QLocale::LongFormat);
    const int ap = std::max(time.indexOf("AP", 0, Qt::CaseInsensitive), time.indexOf('a'));
    const int h = time.indexOf('h', 0, Qt::CaseInsensitive);
    f.TwelveHour = ap >= 0;
    f.AmPmInFront = f.TwelveHour && h >= 0 && ap < h;
    f.LeadingZeroHours = time.contains("hh", Qt::CaseInsensitive);
    for (QChar c : time) {
        if (c == ':' || c == '.') {
            f.TimeSeparator = static_cast<char>(c.toLatin1());
            break;
        }
    }
    f.AmString = ToAnsi(locale.amText());
    f.PmString = ToAnsi(locale.pmText());
    return f;
}

bool QtPlatform::RunFileDialog(TFileDialogRequest& request, bool save) {
    QFileDialog dialog(ActiveParent());
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.Title.empty()) dialog.setWindowTitle(FromAnsi(request.Title));
    // Paths are the file system's own bytes both ways; only the message that names one
    // converts it for the user (DisplayFileName).
    if (!request.InitialDir.empty())
        dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(request.InitialDir)));
    if (!request.DefaultExt.empty()) dialog.setDefaultSuffix(FromAnsi(request.DefaultExt));
    if (!request.FileName.empty()) dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(request.FileName)));
    if (!request.Filter.empty()) {
        // "Name|pattern|Name|pattern" → Qt's "Name (pattern)" entries.
        QStringList filters;
        const QStringList parts = FromAnsi(request.Filter).split('|');
        for (int i = 0; i + 1 < parts.size(); i += 2)
            filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
        dialog.setNameFilters(filters);
        if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
            dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    } else {
        // No filter means no file-type list at all. Qt's own dialog would still offer
        // "All Files (*)"; a desktop's native chooser shows what it shows.
        if (auto* combo = dialog.findChild<QComboBox*>("fileTypeCombo")) combo->hide();
        if (auto* label = dialog.findChild<QLabel*>("fileTypeLabel")) label->hide();
    }
    const int result = RunModal([&] { return dialog.exec(); });
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    request.FileName = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
    const int chosenFilter = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    if (chosenFilter >= 0 && !request.Filter.empty()) request.FilterIndex = chosenFilter + 1;
    return true;
}

TMessageResult QtPlatform::MessageBox(const std::string& caption, const std::string& text, TMessageIcon icon,
                                      TMessageButtons buttons) {
    QMessageBox box(ActiveParent());
    box.setWindowTitle(FromAnsi(caption));
    box.setText(FromAnsi(text));
    switch (icon) {
        case miError: box.setIcon(QMessageBox::Critical); break;
        case miWarning: box.setIcon(QMessageBox::Warning); break;
        case miInformation: box.setIcon(QMessageBox::Information); break;
        case miQuestion: box.setIcon(QMessageBox::Question); break;
        case miNone: break;
    }
    switch (buttons) {
        case mbOKOnly: box.setStandardButtons(QMessageBox::Ok); break;
        case mbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case mbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case mbYesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    }
    const int r = RunModal([&] { return box.exec(); });
    switch (r) {
        case QMessageBox::Ok: return mrOKResult;
        case QMessageBox::Cancel: return mrCancelResult;
        case QMessageBox::Yes: return mrYesResult;
        case QMessageBox::No: return mrNoResult;
        default: return buttons == mbOKOnly ? mrOKResult : mrCancelResult;
    }
}

}  // namespace

// ---------------------------------------------------------------- factory

std::unique_ptr<TPlatform> CreateQtPlatform(int& argc, char** argv, std::string* error,
                                            const TDesktopIdentity& identity) {
    qInstallMessageHandler(ReportQtMessage);
    const char* x = std::getenv("DISPLAY");
    const char* wl = std::getenv("WAYLAND_DISPLAY");
    const char* qpa = std::getenv("QT_QPA_PLATFORM");
    if ((x == nullptr || *x == 0) && (wl == nullptr || *wl == 0) && (qpa == nullptr || *qpa == 0)) {
        if (error) *error = "no display: set DISPLAY (X11) or WAYLAND_DISPLAY to the desktop to show the window on";
        return nullptr;
    }
    // A screen of 144 dpi scales by 2, one of 120 dpi by 1: pixels stay whole squares, the
    // dialogs included.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    return std::make_unique<QtPlatform>(argc, argv, identity);
}
