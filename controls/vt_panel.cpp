// The framed container. Sections:
//   1. vocabulary
//   2. TVtCustomPanel: construction, property setters
//   3. client area and layout
//   4. painting: frames and fill, grid, caption
//   5. notifications: enabled children, pointer, erase, resize
//   6. class tables
#include "controls/vt_panel.h"

#include <algorithm>

#include "framework/core/typinfo.h"
#include "framework/ui/forms.h"

// ---------------------------------------------------------------- 1. vocabulary

const TEnumInfo& GridStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtGridStyle", {"gsDots", "gsDottedLines", "gsSolidLines"});
    return info;
}

// ---------------------------------------------------------------- 2. TVtCustomPanel

TVtCustomPanel::TVtCustomPanel(TComponent* owner) : TVtFramedControl<TCustomPanel>(owner, Defaults::Frame) {
    // Every frame pixel is ours: the framework's bevels stay off.
    FBevelOuter = Defaults::BevelOuter;
    FBevelInner = bvNone;
    // The caption does not start as the component's name; the panel paints its whole area
    // itself and asks for no themed parent background.
    FControlStyle.Exclude(csSetCaption);
    FControlStyle.Exclude(csParentBackground);
    FControlStyle.Include(csOpaque);
    TCustomPanel::SetUseDockManager(Defaults::UseDockManager);
}

TVtCustomPanel::~TVtCustomPanel() = default;

void TVtCustomPanel::FramesChanged() {
    Realign();
    Invalidate();
}

void TVtCustomPanel::SetTransparent(bool v) {
    if (!Change(FTransparent, v)) return;
    if (v) FControlStyle.Exclude(csOpaque);
    else FControlStyle.Include(csOpaque);
    Invalidate();
    // The children stand on what shows through: they repaint over it.
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

void TVtCustomPanel::SetDockSite(bool v) {
    if (DockSite() == v) return;
    TCustomPanel::SetDockSite(v);
    FramesChanged();
}

void TVtCustomPanel::SetUseDockManager(bool v) {
    if (UseDockManager() == v) return;
    TCustomPanel::SetUseDockManager(v);
    Invalidate();
}

// ---------------------------------------------------------------- 3. client area and layout

TRect TVtCustomPanel::ClientRect() const {
    const TRect r = TCustomPanel::ClientRect();
    return DockSite() ? FFrame.Shrink(r, FBevelWidth) : r;
}

void TVtCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomPanel::AdjustClientRect(rect);
    rect = FFrame.Shrink(rect, FBevelWidth);
}

TRect TVtCustomPanel::InnerRect() const {
    const TRect ci = ClientInWindow();
    return FFrame.Shrink(InflateRect(Rect(0, 0, ci.Width(), ci.Height()), -FBorderWidth, -FBorderWidth), FBevelWidth);
}

void TVtCustomPanel::SetBounds(int left, int top, int width, int height) {
    if (FAlign == alBottom && height != FHeight) top = FTop + FHeight - height;
    if (FAlign == alRight && width != FWidth) left = FLeft + FWidth - width;
    TCustomPanel::SetBounds(left, top, width, height);
}

// ---------------------------------------------------------------- 4. painting

void TVtCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TCanvasStateSaver saver(canvas);
    const TRect ci = ClientInWindow();
    const TRect r = PaintFrames(canvas, Rect(0, 0, ci.Width(), ci.Height()), FBorderWidth, FBevelWidth, FTransparent);
    // Frames wider than half the panel leave nothing to fill or write in.
    if (!r.IsEmpty()) {
        if (!FTransparent) {
            if (FUseGradients) {
                const bool themed = FThemeAware && VisualStylesActive();
                PaintGradient(canvas, r, FGradientDirection, themed ? clInactiveCaptionText : FGradientColorStart,
                              themed ? clInactiveCaption : FGradientColorStop, 1);
            } else {
                canvas->Brush()->SetStyle(bsSolid);
                canvas->Brush()->SetColor(FColor);
                canvas->FillRect(r);
            }
        }
        if (FShowGrid) PaintGrid(canvas, r);
        if (!Caption().empty()) {
            canvas->Brush()->SetStyle(bsClear);
            PaintCaption(canvas, r);
            canvas->Brush()->SetStyle(bsSolid);
        }
    }
    if (OnPaint) OnPaint(this);
}

void TVtCustomPanel::PaintGrid(TCanvas* canvas, const TRect& rect) {
    const int nx = FGridXSize ? rect.Width() / FGridXSize : 0;
    const int ny = FGridYSize ? rect.Height() / FGridYSize : 0;
    TCanvasStateSaver saver(canvas);
    canvas->Pen()->SetColor(FGridColor);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    switch (FGridStyle) {
        case gsDots:
            for (int i = 1; i <= nx; ++i)
                for (int j = 1; j <= ny; ++j)
                    canvas->SetPixels(rect.Left + i * FGridXSize - 1, rect.Top + j * FGridYSize - 1, FGridColor);
            break;
        case gsSolidLines:
            for (int i = 1; i <= nx; ++i) {
                const int x = rect.Left + i * FGridXSize - 1;
                canvas->MoveTo(x, rect.Top);
                canvas->LineTo(x, rect.Bottom);
            }
            for (int j = 1; j <= ny; ++j) {
                const int y = rect.Top + j * FGridYSize - 1;
                canvas->MoveTo(rect.Left, y);
                canvas->LineTo(rect.Right, y);
            }
            break;
        case gsDottedLines:
            // Every second pixel, beginning one after the line's start.
            for (int i = 1; i <= nx; ++i) {
                const int x = rect.Left + i * FGridXSize - 1;
                for (int y = rect.Top + 1; y < rect.Bottom; y += 2) canvas->SetPixels(x, y, FGridColor);
            }
            for (int j = 1; j <= ny; ++j) {
                const int y = rect.Top + j * FGridYSize - 1;
                for (int x = rect.Left + 1; x < rect.Right; x += 2) canvas->SetPixels(x, y, FGridColor);
            }
            break;
    }
}

void TVtCustomPanel::PaintCaption(TCanvas* canvas, TRect rect) {
    TCanvasStateSaver saver(canvas);
    canvas->Font()->Assign(*Font());
    rect.Left += 1;
    unsigned flags = DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    else if (FAlignment == taCenter) flags |= DT_CENTER;
    const std::string text = Caption();
    TRect measured = rect;
    const int h = canvas->DrawText(text, measured, flags | DT_CALCRECT);
    switch (FAlignmentVertical) {
        case avCenter:
            // A caption taller than the room starts above it, centred on the same line.
            rect.Top = (rect.Top + rect.Bottom - h) / 2;
            rect.Bottom = rect.Top + h;
            break;
        case avBottom: rect.Top = rect.Bottom - h - 1; break;
        case avTop: break;
    }
    canvas->Brush()->SetStyle(bsClear);
    if (!FEnabled) {
        rect = OffsetRect(rect, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->DrawText(text, rect, flags);
        canvas->Font()->SetColor(clBtnShadow);
        rect = OffsetRect(rect, -1, -1);
    }
    canvas->DrawText(text, rect, flags);
}

// ---------------------------------------------------------------- 5. notifications

void TVtCustomPanel::Dispatch(TMessage& message) {
    // A child that leaves is forgotten, so its remembered state cannot outlive it.
    if (message.Msg == CM_CONTROLCHANGE && message.LParam == 0) {
        auto* child = reinterpret_cast<TControl*>(message.WParam);
        std::erase_if(FRememberedStates, [child](const auto& entry) { return entry.first == child; });
    }
    TCustomPanel::Dispatch(message);
}

void TVtCustomPanel::CMEnabledChanged(TMessage& message) {
    TCustomPanel::CMEnabledChanged(message);
    Repaint();
    if (!FEnabled) {
        FRememberedStates.clear();
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            FRememberedStates.emplace_back(child, child->Enabled());
        }
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(false);
    } else {
        // Children that were disabled before the panel was stay so; the list is kept.
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            auto it = std::find_if(FRememberedStates.begin(), FRememberedStates.end(),
                                   [child](const auto& entry) { return entry.first == child; });
            if (it == FRememberedStates.end() || it->second) child->SetEnabled(true);
        }
    }
}

void TVtCustomPanel::CMMouseEnter(TMessage& message) {
    TCustomPanel::CMMouseEnter(message);
    if (!ComponentState().Contains(csDesigning) && OnMouseEnter) OnMouseEnter(this);
}

void TVtCustomPanel::CMMouseLeave(TMessage& message) {
    TCustomPanel::CMMouseLeave(message);
    if (OnMouseLeave) OnMouseLeave(this);
}

void TVtCustomPanel::WMEraseBkgnd(TWMEraseBkgnd& message) {
    if (!FTransparent) {
        TCustomPanel::WMEraseBkgnd(message);
        return;
    }
    if (message.Canvas) PaintParentBackground(this, message.Canvas, true);
    message.Result = 1;
}

void TVtCustomPanel::WMWindowPosChanged(TWMWindowPosChanged& message) {
    const TWindowPos& pos = *message.WindowPos;
    if (FFullRepaint || !Caption().empty()) {
        Invalidate();
    } else {
        // Without a full repaint only the old frames next to the moving edges are redrawn.
        const TRect inner = InnerRect();
        const TRect ci = ClientInWindow();
        if (pos.CX != FWidth) {
            const TRect strip = Rect(inner.Right - 1, 0, ci.Width(), ci.Height());
            InvalidateRect(&strip, true);
        }
        if (pos.CY != FHeight) {
            const TRect strip = Rect(0, inner.Bottom - 1, ci.Width(), ci.Height());
            InvalidateRect(&strip, true);
        }
    }
    TCustomPanel::WMWindowPosChanged(message);
}

// ---------------------------------------------------------------- 6. class tables

void TVtCustomPanel::RegisterClassInfo() { RegisterClass<TVtCustomPanel>("TVtCustomPanel", "TCustomPanel"); }

void TVtPanel::RegisterClassInfo() {
    RegisterClass<TVtPanel>("TVtPanel", "TVtCustomPanel", [](TClassBuilder<TVtPanel>& b) {
        using P = TVtPanel;
        using D = TVtPanel::Defaults;
        // The framework panel's bevels are off for good; only a changed one is stored.
        b.Enumeration("BevelOuter", BevelCutInfo(), &P::BevelOuter, &P::SetBevelOuter).Default(D::BevelOuter);
        PublishFrameSettings(b, D::Frame);
        b.Enumeration("AlignmentVertical", AlignmentVerticalInfo(), &P::AlignmentVertical, &P::SetAlignmentVertical)
            .Default(D::AlignmentVertical);
        b.Boolean("Transparent", &P::Transparent, &P::SetTransparent).Default(D::Transparent);
        b.Boolean("UseGradients", &P::UseGradients, &P::SetUseGradients).Default(D::UseGradients);
        b.Color("GradientColorStart", &P::GradientColorStart, &P::SetGradientColorStart).Default(D::GradientColorStart);
        b.Color("GradientColorStop", &P::GradientColorStop, &P::SetGradientColorStop).Default(D::GradientColorStop);
        b.Enumeration("GradientDirection", GradientDirectionInfo(), &P::GradientDirection, &P::SetGradientDirection)
            .Default(D::GradientDirection);
        b.Boolean("ThemeAware", &P::ThemeAware, &P::SetThemeAware).Default(D::ThemeAware);
        b.Boolean("ShowGrid", &P::ShowGrid, &P::SetShowGrid).Default(D::ShowGrid);
        b.Enumeration("GridStyle", GridStyleInfo(), &P::GridStyle, &P::SetGridStyle).Default(D::GridStyle);
        b.Color("GridColor", &P::GridColor, &P::SetGridColor).Default(D::GridColor);
        b.Integer("GridXSize", &P::GridXSize, &P::SetGridXSize).Default(D::GridXSize);
        b.Integer("GridYSize", &P::GridYSize, &P::SetGridYSize).Default(D::GridYSize);
        b.Component("FrameController", &P::FrameController, &P::SetFrameController);
        b.Boolean("DockSite", &P::DockSite, &P::SetDockSite).Default(false);
        b.Boolean("UseDockManager", &P::UseDockManager, &P::SetUseDockManager).Default(D::UseDockManager);
        b.Boolean("ShowDockClientCaptions", &P::ShowDockClientCaptions, &P::SetShowDockClientCaptions)
            .Default(D::ShowDockClientCaptions);
        b.Event<TNotifyEvent>("OnPaint", &P::OnPaint);
        b.Event<TNotifyEvent>("OnMouseEnter", &P::OnMouseEnter);
        b.Event<TNotifyEvent>("OnMouseLeave", &P::OnMouseLeave);
        // Older descriptions stored the frame sides under another name; they are not used.
        b.Discard("FrameSides");
    });
}
