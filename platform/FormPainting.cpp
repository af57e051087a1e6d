// How a form paints its containers and the windowless controls in them, in creation order.
#include "platform/Form.h"

#include "platform/FormInternals.h"
#include "platform/Gdi.h"

namespace platform {

using namespace form_internals;

void Form::PaintContainer(int index, HDC dc, const RECT& client) {
    const Color background = index == geometry::kRoot ? spec_->color : controls_[index].color;
    UniqueBrush brush(CreateSolidBrush(background.Resolve()));
    {
        // The background under opaque controls, screen-sized under the backdrop's picture, would only be painted over.
        const int saved = SaveDC(dc);
        for (const ControlRecord& c : controls_) {
            if (c.parent != index || !c.visible || !BehaviourOf(c.spec->kind).IsOpaque()) continue;
            const RECT covered = ToRect(c.placed);
            ExcludeClipRect(dc, covered.left, covered.top, covered.right, covered.bottom);
        }
        FillRect(dc, &client, brush.get());
        RestoreDC(dc, saved);
    }
    if (index != geometry::kRoot) BehaviourOf(controls_[index].spec->kind).Paint(controls_[index], dc, client);
    for (const ControlRecord& c : controls_)
        if (c.parent == index && c.visible && BehaviourOf(c.spec->kind).IsWindowless())
            BehaviourOf(c.spec->kind).Paint(c, dc, ToRect(c.placed));
}

}  // namespace platform
