// Docking: a dkDock drag finds a site through its site info, the site's dock-over sets the
// docking rectangle and accepts, the drop docks the control (CM_DOCKCLIENT, OnDockDrop,
// OnEndDock); undocking asks the old site, which may refuse; docked controls tell their
// site of caption and visibility changes; a site may put each client on a page of its own.
#include <gtest/gtest.h>

#include "framework/core/typinfo.h"
#include "tests/framework/control_tree_fixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string Pt(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
std::string NameOf(const TObject* o) {
    auto* c = dynamic_cast<const TComponent*>(o);
    return c ? c->Name() : std::string(o ? "?" : "nil");
}
std::string RectText(const TRect& r) { return Pt(r.Left, r.Top) + "-" + Pt(r.Right, r.Bottom); }
const char* StateName(TDragState s) {
    switch (s) {
        case dsDragEnter: return "enter";
        case dsDragLeave: return "leave";
        default: return "move";
    }
}

Lines& Seen() {
    static Lines lines;
    return lines;
}
void Note(const TComponent* c, const std::string& what) { Seen().push_back(c->Name() + " " + what); }

// A dock site that writes down its notifications.
class TProbeSite : public TProbeBox {
public:
    explicit TProbeSite(TComponent* owner) : TProbeBox(owner, clNavy) {
        SetDockSite(true);
        LogFocus = false;
        OnGetSiteInfo = [this](TObject*, TControl* client, TRect& r, TPoint, bool& canDock) {
            if (LogSiteInfo) Note(this, "siteinfo " + NameOf(client) + " " + RectText(r));
            canDock = CanDock;
        };
        OnDockOver = [this](TObject*, TDragDockObject* source, int x, int y, TDragState state, bool& accept) {
            Note(this, std::string("dockover ") + StateName(state) + " " + Pt(x, y) + " " + RectText(source->DockRect));
            if (HalfDockRect) source->DockRect.Right = source->DockRect.Left + source->DockRect.Width() / 2;
            accept = Accept;
        };
        OnDockDrop = [this](TObject*, TDragDockObject* source, int x, int y) {
            Note(this, "dockdrop " + NameOf(source->Control()) + " " + Pt(x, y));
        };
        OnUnDock = [this](TObject*, TControl* client, TWinControl* newTarget, bool& allow) {
            Note(this, "undock " + NameOf(client) + " to " + NameOf(newTarget));
            allow = AllowUnDock;
        };
    }
    bool LogSiteInfo = false;
    bool CanDock = true;
    bool Accept = true;
    bool HalfDockRect = false;
    bool AllowUnDock = true;

protected:
    void CMDockClient(TCMDockClient& m) override {
        Note(this, "CM_DOCKCLIENT " + NameOf(m.DockSource->Control()) + " " + Pt(m.MousePos.X, m.MousePos.Y));
        TProbeBox::CMDockClient(m);
    }
    void CMUnDockClient(TCMUnDockClient& m) override {
        Note(this, "CM_UNDOCKCLIENT " + NameOf(m.Client) + " to " + NameOf(m.NewTarget));
        TProbeBox::CMUnDockClient(m);
    }
    void CMDockNotification(TCMDockNotification& m) override {
        const TDockNotifyRec& r = *m.NotifyRec;
        const std::string what = r.ClientMsg == CM_TEXTCHANGED      ? "text " + m.Client->Caption()
                                 : r.ClientMsg == CM_VISIBLECHANGED ? "visible " + std::to_string(r.MsgWParam)
                                                                    : "other";
        Note(this, "notify " + NameOf(m.Client) + " " + what);
    }
    void DoRemoveDockClient(TControl* client) override {
        Note(this, "removed " + NameOf(client) + (client->Parent() ? " now on " + client->Parent()->Name() : ""));
    }
};

// The shape of a page control's docking: every client gets a page of its own, filled by
// it; the page goes when its client leaves; captions and visibility follow.
class TPagedSite : public TProbeBox {
public:
    explicit TPagedSite(TComponent* owner) : TProbeBox(owner, clNavy) {
        SetDockSite(true);
        LogFocus = false;
    }
    std::vector<TProbeBox*> Pages;

protected:
    void GetSiteInfo(TControl* client, TRect& r, TPoint p, bool& canDock) override {
        TProbeBox::GetSiteInfo(client, r, p, canDock);
        canDock = canDock && PageOf(client) == nullptr;  // not twice
    }
    void DoAddDockClient(TControl* client, const TRect&) override {
        auto* page = new TProbeBox(Owner(), clWhite);
        page->SetName("Page" + std::to_string(++FMade));
        page->SetAlign(alClient);
        page->SetParent(this);
        Pages.push_back(page);
        client->SetParent(page);
        client->SetAlign(alClient);
    }
    void CMUnDockClient(TCMUnDockClient& m) override {
        FLeaving = PageOf(m.Client);
        m.Client->SetAlign(alNone);
    }
    void DoRemoveDockClient(TControl*) override {
        if (!FLeaving) return;
        Pages.erase(std::find(Pages.begin(), Pages.end(), FLeaving));
        delete FLeaving;
        FLeaving = nullptr;
    }
    void CMDockNotification(TCMDockNotification& m) override {
        TProbeBox* page = PageOf(m.Client);
        if (!page) return;
        if (m.NotifyRec->ClientMsg == CM_TEXTCHANGED) page->SetCaption(m.Client->Caption());
        if (m.NotifyRec->ClientMsg == CM_VISIBLECHANGED) page->SetVisible(m.NotifyRec->MsgWParam != 0);
    }

private:
    TProbeBox* PageOf(TControl* client) {
        for (TProbeBox* p : Pages)
            if (p->ControlCount() > 0 && p->Controls(0) == client) return p;
        return nullptr;
    }
    TProbeBox* FLeaving = nullptr;
    int FMade = 0;
};

class DockTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        Seen().clear();
        Client = Box("Client", Form, Rect(10, 10, 50, 40));
        Client->LogFocus = false;
        Client->SetDragKind(dkDock);
        Client->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Client->BeginDrag(false); };
        Client->OnStartDock = [](TObject* s, TDragDockObject*&) { Note(static_cast<TComponent*>(s), "startdock"); };
        Client->OnEndDock = [](TObject* s, TObject* target, int x, int y) {
            Note(static_cast<TComponent*>(s), "enddock " + NameOf(target) + " " + Pt(x, y));
        };
        Site = Site1 = MakeSite("Site1", Rect(100, 10, 180, 90));
        ShowForm();
    }
    TProbeSite* MakeSite(const std::string& name, TRect bounds) {
        auto* s = new TProbeSite(Form);
        s->SetName(name);
        s->SetBoundsRect(bounds);
        s->SetParent(Form);
        return s;
    }
    // Press on the client, pass the threshold, then go to each point and release at the last.
    void DragClientTo(std::initializer_list<TPoint> points) {
        Press({15, 12});
        MoveTo({21, 12}, {ssLeft});
        TPoint last{21, 12};
        for (TPoint p : points) MoveTo(last = p, {ssLeft});
        Release(last);
    }
    TCursor ShownCursor() { return Desk->FindWindow(Window())->Cursor; }

    TProbeBox* Client = nullptr;
    TProbeSite* Site = nullptr;
    TProbeSite* Site1 = nullptr;
};

}  // namespace

TEST_F(DockTest, DraggingIntoASiteDocksTheControlWithTheNotificationsInOrder) {
    Site->LogSiteInfo = true;
    Press({15, 12});
    MoveTo({21, 12}, {ssLeft});
    EXPECT_EQ(Seen(), (Lines{"Client startdock", "Site1 siteinfo Client 100,10-180,90"}));
    EXPECT_EQ(ShownCursor(), crNoDrop);
    EXPECT_EQ(GetCaptureControl(), Client);
    Seen().clear();
    Site->LogSiteInfo = false;
    MoveTo({120, 30}, {ssLeft});
    EXPECT_EQ(ShownCursor(), crDrag);
    MoveTo({121, 31}, {ssLeft});
    Release({121, 31});
    // The docking rectangle of dock-over is the site's client area, in form coordinates.
    EXPECT_EQ(Seen(),
              (Lines{"Site1 dockover enter 20,20 100,10-180,90", "Site1 dockover move 21,21 100,10-180,90",
                     "Site1 CM_DOCKCLIENT Client 21,21", "Site1 dockdrop Client 21,21", "Client enddock Site1 21,21"}));
    EXPECT_EQ(Client->Parent(), Site);
    EXPECT_EQ(Client->HostDockSite(), Site);
    EXPECT_EQ(Client->BoundsRect(), Rect(0, 0, 80, 80));
    ASSERT_EQ(Site->DockClientCount(), 1);
    EXPECT_EQ(Site->DockClients(0), Client);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(ShownCursor(), crDefault);
}

TEST_F(DockTest, TheSiteMaySetTheDockingRectangleOrRefuse) {
    Site->HalfDockRect = true;
    DragClientTo({{120, 30}});
    EXPECT_EQ(Client->BoundsRect(), Rect(0, 0, 40, 80));

    // Refused by dock-over: the drag ends without a target and nothing moves.
    TProbeSite* other = MakeSite("Site2", Rect(10, 50, 60, 95));
    other->Accept = false;
    MoveTo({195, 5});
    Seen().clear();
    Client->BeginDrag(true);
    MoveTo({20, 60});
    EXPECT_EQ(ShownCursor(), crNoDrop);
    Release({20, 60});
    EXPECT_EQ(Seen(), (Lines{"Client startdock", "Site2 dockover enter 10,10 10,50-60,95",
                             "Site2 dockover leave 10,10 10,50-60,95", "Client enddock nil 0,0"}));
    EXPECT_EQ(Client->HostDockSite(), Site);
}

TEST_F(DockTest, SiteInfoDecidesWhichSitesAreCandidates) {
    // A site that cannot take the client is passed over: no dock-over, no drop.
    Site->CanDock = false;
    DragClientTo({{120, 30}});
    EXPECT_EQ(Seen(), (Lines{"Client startdock", "Client enddock nil 0,0"}));
    EXPECT_EQ(Client->HostDockSite(), nullptr);

    // Of overlapping sites the topmost wins.
    Site->CanDock = true;
    TProbeSite* above = MakeSite("Above", Rect(150, 60, 195, 95));
    DragClientTo({{160, 70}});
    EXPECT_EQ(Client->HostDockSite(), above);
    ASSERT_TRUE(Client->ManualFloat());
    delete above;

    // Of nested sites the inner one wins; a wider influence rectangle draws the pointer
    // from outside the bounds.
    Site->CanDock = true;
    TProbeSite* inner = new TProbeSite(Form);
    inner->SetName("Inner");
    inner->SetBoundsRect(Rect(10, 10, 40, 40));
    inner->SetParent(Site);
    inner->OnGetSiteInfo = [](TObject*, TControl*, TRect& r, TPoint, bool&) { r = InflateRect(r, 20, 20); };
    Seen().clear();
    DragClientTo({{95, 15}});
    EXPECT_EQ(Client->HostDockSite(), inner);
}

TEST_F(DockTest, UndockingAsksTheSiteAndReturnsTheControlHome) {
    Client->SetAlign(alNone);
    ASSERT_TRUE(Client->ManualDock(Site));
    EXPECT_EQ(Seen(), (Lines{"Site1 CM_DOCKCLIENT Client 0,0", "Site1 dockdrop Client 0,0"}));
    Seen().clear();

    // Refused: the control stays docked.
    Site->AllowUnDock = false;
    EXPECT_FALSE(Client->ManualFloat());
    EXPECT_EQ(Seen(), (Lines{"Site1 undock Client to nil"}));
    EXPECT_EQ(Client->HostDockSite(), Site);
    EXPECT_EQ(Client->Parent(), Site);

    // Allowed: back on the form where it was.
    Seen().clear();
    Site->AllowUnDock = true;
    EXPECT_TRUE(Client->ManualFloat());
    EXPECT_EQ(Seen(), (Lines{"Site1 undock Client to nil", "Site1 CM_UNDOCKCLIENT Client to nil",
                             "Site1 removed Client now on Form"}));
    EXPECT_EQ(Client->Parent(), Form);
    EXPECT_EQ(Client->HostDockSite(), nullptr);
    EXPECT_EQ(Client->BoundsRect(), Rect(10, 10, 50, 40));
    EXPECT_EQ(Site->DockClientCount(), 0);
    EXPECT_FALSE(Client->ManualFloat());  // not docked
}

TEST_F(DockTest, MovingFromSiteToSiteAndARefusedUndockOnDrop) {
    TProbeSite* second = MakeSite("Site2", Rect(10, 50, 60, 95));
    ASSERT_TRUE(Client->ManualDock(Site));
    Seen().clear();
    ASSERT_TRUE(Client->ManualDock(second));
    EXPECT_EQ(Seen(), (Lines{"Site1 undock Client to Site2", "Site1 CM_UNDOCKCLIENT Client to Site2",
                             "Site2 CM_DOCKCLIENT Client 0,0", "Site1 removed Client now on Site2",
                             "Site2 dockdrop Client 0,0"}));
    EXPECT_EQ(Site->DockClientCount(), 0);
    EXPECT_EQ(second->DockClientCount(), 1);

    // Dragged back to the first site, but the second does not let it go.
    second->AllowUnDock = false;
    MoveTo({195, 5});
    Seen().clear();
    Client->BeginDrag(true);
    MoveTo({120, 30});
    Release({120, 30});
    EXPECT_EQ(Seen(),
              (Lines{"Client startdock", "Site1 dockover enter 20,20 100,10-180,90", "Site2 undock Client to Site1",
                     "Site1 dockover leave 20,20 100,10-180,90", "Client enddock nil 0,0"}));
    EXPECT_EQ(Client->HostDockSite(), second);

    // Undocking still returns it to its first home, the form.
    second->AllowUnDock = true;
    ASSERT_TRUE(Client->ManualFloat());
    EXPECT_EQ(Client->Parent(), Form);
    EXPECT_EQ(Client->BoundsRect(), Rect(10, 10, 50, 40));
}

TEST_F(DockTest, EscapeCancelsADockingDrag) {
    MoveTo({195, 5});
    Client->BeginDrag(true);
    MoveTo({120, 30});
    Seen().clear();
    Stroke(VK_ESCAPE);
    EXPECT_EQ(Seen(), (Lines{"Site1 dockover leave 20,20 100,10-180,90", "Client enddock nil 0,0"}));
    EXPECT_EQ(Client->HostDockSite(), nullptr);
}

TEST_F(DockTest, ADockedControlTellsItsSiteOfCaptionAndVisibility) {
    Client->SetCaption("Before");  // not docked: nobody hears
    ASSERT_TRUE(Client->ManualDock(Site));
    Seen().clear();
    Client->SetCaption("Notes");
    Client->SetVisible(false);
    Client->SetVisible(true);
    EXPECT_EQ(Seen(), (Lines{"Site1 notify Client text Notes", "Site1 notify Client visible 0",
                             "Site1 notify Client visible 1"}));
}

TEST_F(DockTest, ASiteCanGiveEachClientAPageOfItsOwn) {
    auto* paged = new TPagedSite(Form);
    paged->SetName("Paged");
    paged->SetBoundsRect(Rect(60, 45, 190, 95));
    paged->SetParent(Form);
    Site1->SetDockSite(false);
    Seen().clear();
    DragClientTo({{100, 70}});
    ASSERT_EQ(paged->Pages.size(), 1u);
    TProbeBox* page = paged->Pages[0];
    EXPECT_EQ(Client->Parent(), page);
    EXPECT_EQ(Client->HostDockSite(), paged);
    EXPECT_EQ(Client->BoundsRect(), Rect(0, 0, 130, 50));
    EXPECT_EQ(Seen(), (Lines{"Client startdock", "Client enddock Paged 40,25"}));

    Client->SetCaption("Notes");
    EXPECT_EQ(page->Caption(), "Notes");
    Client->SetVisible(false);
    EXPECT_FALSE(page->Visible());
    Client->SetVisible(true);

    // Already docked there: not a candidate again.
    Seen().clear();
    Client->BeginDrag(true);
    MoveTo({101, 70});
    EXPECT_EQ(ShownCursor(), crNoDrop);
    Client->EndDrag(true);
    EXPECT_EQ(Seen(), (Lines{"Client startdock", "Client enddock nil 0,0"}));

    ASSERT_TRUE(Client->ManualFloat());
    EXPECT_TRUE(paged->Pages.empty());
    EXPECT_EQ(paged->ControlCount(), 0);
    EXPECT_EQ(Client->Parent(), Form);
    EXPECT_EQ(Client->Align(), alNone);
    EXPECT_EQ(Client->BoundsRect(), Rect(10, 10, 50, 40));
}

TEST_F(DockTest, DestroyedClientsAndSitesAreForgotten) {
    ASSERT_TRUE(Client->ManualDock(Site));
    delete Client;
    Client = nullptr;
    EXPECT_EQ(Site->DockClientCount(), 0);

    // A docked control whose home is destroyed has none to return to.
    TProbeBox* home = Box("Home", Form, Rect(0, 50, 60, 95));
    TProbeBox* c = Box("C", home, Rect(1, 1, 10, 10));
    ASSERT_TRUE(c->ManualDock(Site));
    delete home;
    ASSERT_TRUE(c->ManualFloat());
    EXPECT_EQ(c->Parent(), nullptr);
    delete c;

    // A destroyed site takes its docked children with it and is no candidate any more.
    TProbeBox* d = Box("D", Form, Rect(1, 50, 10, 60));
    ASSERT_TRUE(d->ManualDock(Site));
    delete Site;
    Site = Site1 = nullptr;
    EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(DockTest, DockPropertiesArePublished) {
    auto* w = new TProbeBox(Form);
    EXPECT_FALSE(w->DockSite());
    EXPECT_FALSE(w->UseDockManager());
    ASSERT_TRUE(SetOrdProp(w, "DockSite", 1));
    ASSERT_TRUE(SetOrdProp(w, "UseDockManager", 1));
    EXPECT_TRUE(w->DockSite());
    EXPECT_TRUE(w->UseDockManager());
    EXPECT_FALSE(Client->ManualDock(Client));  // not into itself
    delete w;
}
