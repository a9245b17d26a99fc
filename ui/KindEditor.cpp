#include "ui/KindEditor.h"

#include "messages/WindowTexts.h"
#include "platform/cp932.h"
#include "ui/ControlIds.h"

namespace pagelark::ui {

void KindEditor::OnAllFiles() {
  view_.SetChecked(id::kAllFiles, true);
  view_.SetChecked(id::kSelectKinds, false);
  EnableEditor(false);
}

void KindEditor::OnSelectKinds() {
  view_.SetChecked(id::kAllFiles, false);
  view_.SetChecked(id::kSelectKinds, true);
  EnableEditor(true);
}

void KindEditor::EnableEditor(bool enabled) {
  for (int control : {id::kKindList, id::kKindEdit, id::kAddKind, id::kDeleteKind}) {
    view_.SetEnabled(control, enabled);
  }
}

void KindEditor::OnAddKind() {
  const std::string kind = view_.GetText(id::kKindEdit);
  view_.SetFocus(id::kKindEdit);
  if (kind.empty()) {
    view_.MessageBox(kMsgNoKind, MessageButtons::kOk);
  } else if (kind.size() > kMaxKindBytes) {
    view_.MessageBox(kMsgKindTooLong, MessageButtons::kOk);
  } else if (IsListed(kind)) {
    view_.MessageBox(kMsgKindExists, MessageButtons::kOk);
  } else {
    view_.ListAppend(id::kKindList, kind);
    view_.SetText(id::kKindEdit, "");
  }
}

void KindEditor::OnDeleteKind() {
  const int selected = view_.ListSelection(id::kKindList);
  view_.SetFocus(id::kKindList);
  if (selected < 0) {
    view_.MessageBox(kMsgNoKindSelected, MessageButtons::kOk);
    return;
  }
  view_.ListDelete(id::kKindList, selected);
}

bool KindEditor::IsListed(const std::string& kind) {
  const std::string wanted = cp932::ToLower(kind);
  const int count = view_.ListCount(id::kKindList);
  for (int i = 0; i < count; ++i) {
    if (cp932::ToLower(view_.ListText(id::kKindList, i)) == wanted) return true;
  }
  return false;
}

std::vector<std::string> KindEditor::Kinds() {
  std::vector<std::string> kinds;
  const int count = view_.ListCount(id::kKindList);
  for (int i = 0; i < count; ++i) kinds.push_back(view_.ListText(id::kKindList, i));
  return kinds;
}

void KindEditor::SetKinds(const std::vector<std::string>& kinds) {
  view_.ListClear(id::kKindList);
  for (const std::string& kind : kinds) view_.ListAppend(id::kKindList, kind);
}

}  // namespace pagelark::ui
