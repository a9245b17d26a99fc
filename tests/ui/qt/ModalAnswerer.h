// Answers the modal message boxes that the code under test raises: records
// each text and presses the chosen button, polling while the box runs.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/qt/QtText.h"

namespace pagelark::ui::test {

class ModalAnswerer {
 public:
  // Boxes with a Cancel button get `answers` in order, then OK.
  explicit ModalAnswerer(std::deque<QMessageBox::StandardButton> answers = {}) : answers_(std::move(answers)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(5);
  }

  // Called with any other modal widget (a dialog) that comes up.
  std::function<void(QWidget*)> onDialog;
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal == handled_) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      handled_ = box;
      messages_.push_back(FromQt(box->text()));
      QMessageBox::StandardButton answer = QMessageBox::Ok;
      if (box->button(QMessageBox::Cancel) != nullptr && !answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
      }
      box->button(answer)->click();
    } else if (onDialog) {
      handled_ = modal;
      onDialog(modal);
    }
  }

  QTimer timer_;
  std::deque<QMessageBox::StandardButton> answers_;
  std::vector<std::string> messages_;
  QWidget* handled_ = nullptr;
};

}  // namespace pagelark::ui::test
