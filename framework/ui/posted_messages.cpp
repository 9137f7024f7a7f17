// Posted messages: queued for a control and delivered by the loop after the events pending
// when they were posted.
#include <algorithm>
#include <deque>

#include "framework/ui/control_tree_internal.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"

namespace {

struct PostedMessage {
    TControl* Control;
    TMessage Message;
};
std::deque<PostedMessage>& PostedQueue() {
    static std::deque<PostedMessage> queue;
    return queue;
}

}  // namespace

void PostMessage(TControl* control, unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (!control) return;
    PostedQueue().push_back({control, TMessage{msg, wParam, lParam, 0}});
    if (PlatformInstalled()) Platform().Wake();
}

bool HasPostedMessages() { return !PostedQueue().empty(); }

bool DeliverPostedMessages() {
    auto& queue = PostedQueue();
    if (queue.empty()) return false;
    // Messages posted while these are delivered wait for the next round.
    size_t count = queue.size();
    while (count-- > 0 && !queue.empty()) {
        PostedMessage p = queue.front();
        queue.pop_front();
        auto deliver = [&] {
            auto* w = dynamic_cast<TWinControl*>(p.Control);
            TCustomForm* form = w ? GetParentForm(w) : nullptr;
            const unsigned m = p.Message.Msg;
            if (form && m == WM_KEYDOWN)
                form->RouteKeyDown(w, static_cast<Word>(p.Message.WParam), GetShiftState(), p.Message.LParam);
            else if (form && m == WM_KEYUP)
                form->RouteKeyUp(w, static_cast<Word>(p.Message.WParam), GetShiftState(), p.Message.LParam);
            else if (form && m == WM_CHAR) form->RouteChar(w, static_cast<char>(p.Message.WParam), GetShiftState());
            else p.Control->Perform(m, p.Message.WParam, p.Message.LParam);
        };
        if (Application) Application->Guard(deliver);
        else deliver();
    }
    return true;
}

void RemovePostedMessages(TControl* control) {
    auto& q = PostedQueue();
    q.erase(std::remove_if(q.begin(), q.end(), [control](const PostedMessage& p) { return p.Control == control; }),
            q.end());
}
