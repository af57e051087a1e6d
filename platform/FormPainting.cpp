// How a form paints its containers and the windowless controls in them, in creation order.
#include "platform/Form.h"

#include "platform/Cp1254.h"
#include "platform/FormInternals.h"
#include "platform/Gdi.h"

namespace platform {

using namespace form_internals;

void Form::PaintContainer(int index, HDC dc, const RECT& client) {
    const Color background = index == geometry::kRoot ? spec_->color : controls_[index].color;
    UniqueBrush brush(CreateSolidBrush(background.Resolve()));
    {
        // Pictures are opaque: the background under them, screen-sized under the backdrop's, would only be
        // painted over.
        const int saved = SaveDC(dc);
        for (const Control& c : controls_) {
            if (c.parent != index || !c.visible || c.spec->kind != ControlKind::Picture) continue;
            const RECT picture = ToRect(c.placed);
            ExcludeClipRect(dc, picture.left, picture.top, picture.right, picture.bottom);
        }
        FillRect(dc, &client, brush.get());
        RestoreDC(dc, saved);
    }
    if (index != geometry::kRoot) {
        const Control& container = controls_[index];
        RECT frame = client;
        if (container.spec->kind == ControlKind::GroupBox) {
            const int textHeight = MeasureOnScreen(container.font).lineHeight;
            frame.top += textHeight / 2;
            DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
            if (!container.text.empty()) {
                SelectedObject font(dc, container.font);
                SetBkColor(dc, background.Resolve());
                SetTextColor(dc, container.fontSpec.color.Resolve());
                const std::wstring caption = WidenCp1254(container.text);
                TextOutW(dc, 8, 0, caption.c_str(), static_cast<int>(caption.size()));
            }
        } else if (container.spec->options & options::kRaisedBevel) {
            DrawEdge(dc, &frame, BDR_RAISEDOUTER, BF_RECT);
        }
    }
    for (const Control& c : controls_)
        if (c.parent == index && c.visible && IsGraphic(c.spec->kind)) PaintGraphicControl(c, dc);
}

void Form::PaintGraphicControl(const Control& control, HDC dc) {
    RECT r = ToRect(control.placed);
    switch (control.spec->kind) {
    case ControlKind::Label: {
        const std::wstring text = WidenCp1254(control.text);
        SelectedObject font(dc, control.font);
        SetBkColor(dc, control.color.Resolve());
        SetTextColor(dc, control.fontSpec.color.Resolve());
        ExtTextOutW(dc, r.left, r.top, ETO_OPAQUE, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
        break;
    }
    case ControlKind::Bevel:
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        break;
    case ControlKind::Picture:
        control.picture->Draw(dc, r);
        break;
    default:
        break;
    }
}

}  // namespace platform
