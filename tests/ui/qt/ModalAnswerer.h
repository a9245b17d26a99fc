// Answers the modal message boxes that the code under test raises: records
// each text and presses the chosen button, polling while the box runs.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/qt/QtText.h"

namespace pagelark::ui::test {

class ModalAnswerer {
 public:
  // Boxes with a Cancel button get `answers` in order, then their default.
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
      QAbstractButton* answer = box->defaultButton();
      if (box->button(QMessageBox::Cancel) != nullptr && !answers_.empty()) {
        answer = box->button(answers_.front());
        answers_.pop_front();
      }
      answer->click();
    } else if (onDialog) {
      handled_ = modal;
      onDialog(modal);
    }
  }

  QTimer timer_;
  std::deque<QMessageBox::StandardButton> answers_;
  std::vector<std::string> messages_;
  QPointer<QWidget> handled_;  // null once closed: a later box may take its address
};

}  // namespace pagelark::ui::test
