#include "editor/EditKindRules.h"

namespace {

ZentrelEditKind KindAfter(ZentrelEditKind current, ZtEditAnnouncement what)
{
    switch (what) {
    case ZtEditAnnouncement::Cut:
        return ZentrelEditKind::Cut;
    case ZtEditAnnouncement::Paste:
        return current == ZentrelEditKind::Cut ? ZentrelEditKind::MovePaste : ZentrelEditKind::Paste;
    case ZtEditAnnouncement::ReplaceSel:
    case ZtEditAnnouncement::Char:
        return ZentrelEditKind::Typing;
    case ZtEditAnnouncement::KeyBackspace:
        return ZentrelEditKind::Backspace;
    case ZtEditAnnouncement::KeyDelete:
        return ZentrelEditKind::Delete;
    case ZtEditAnnouncement::SetCharFormat:
        return current;
    case ZtEditAnnouncement::KeyOther:
    case ZtEditAnnouncement::Other:
        break;
    }
    return ZentrelEditKind::Other;
}

} // namespace

CEditKindRules::Announced CEditKindRules::OnProtected(ZentrelEditKind current,
                                                      ZtEditAnnouncement what)
{
    const ZentrelEditKind kind = KindAfter(current, what);
    // A move keeps the range of its cut, so that both the place the text left
    // and the place it landed are re-coloured.
    const bool record = what != ZtEditAnnouncement::SetCharFormat
                        && kind != ZentrelEditKind::MovePaste;
    return {kind, record};
}

CEditKindRules::ChangePlan CEditKindRules::OnChange(ZentrelEditKind kind, CEditRange recorded,
                                                    CEditRange selection)
{
    if (kind == ZentrelEditKind::MovePaste && selection.first == selection.end)
        kind = ZentrelEditKind::Paste;

    ChangePlan plan;
    switch (kind) {
    case ZentrelEditKind::None:
    case ZentrelEditKind::Delete:
    case ZentrelEditKind::Backspace:
    case ZentrelEditKind::Cut:
        plan.spans.push_back({selection.first, selection.end});
        break;
    case ZentrelEditKind::Typing:
    case ZentrelEditKind::Paste:
        plan.spans.push_back({recorded.first, selection.end});
        break;
    case ZentrelEditKind::MovePaste:
        plan.spans.push_back({selection.first, selection.end});
        if (selection.first > recorded.first)
            plan.spans.push_back({recorded.first, recorded.first});
        else
            plan.spans.push_back({recorded.end, recorded.end});
        break;
    case ZentrelEditKind::Other:
        plan.all = true;
        break;
    }
    return plan;
}
