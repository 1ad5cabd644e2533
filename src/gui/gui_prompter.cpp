#include "gui/gui_prompter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>
#include <type_traits>

#include "gui/texts.h"

namespace wf::gui {

namespace {

// Runs `ask` on the window's thread and returns its result; from another thread the caller waits.
template <class Ask>
auto OnWindowThread(Ask ask) -> std::invoke_result_t<Ask> {
  QCoreApplication* app = QCoreApplication::instance();
  if (QThread::currentThread() == app->thread()) return ask();
  std::invoke_result_t<Ask> result{};
  QMetaObject::invokeMethod(
      app, [&] { result = ask(); }, Qt::BlockingQueuedConnection);
  return result;
}

QWidget* Owner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

// Shows a box with `buttons`, `first` the default, and the details behind "Show Details..." when
// there are any; the button clicked.
QMessageBox::StandardButton Show(QMessageBox::Icon icon, const std::string& text, const std::string& details,
                                 QMessageBox::StandardButtons buttons, QMessageBox::StandardButton first) {
  return OnWindowThread([&] {
    QMessageBox box(icon, kBoxTitle, Q(text), buttons, Owner());
    box.setDefaultButton(first);
    if (!details.empty()) box.setDetailedText(Q(details));
    return static_cast<QMessageBox::StandardButton>(box.exec());
  });
}

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kStop:
      return QMessageBox::Critical;
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kInformation:
    default:
      return QMessageBox::Information;
  }
}

}

void GuiPrompter::Message(const std::string& text, MessageIcon icon) {
  MessageWithDetails(text, icon, {});
}

void GuiPrompter::MessageWithDetails(const std::string& text, MessageIcon icon, const std::string& details) {
  Show(IconOf(icon), text, details, QMessageBox::Ok, QMessageBox::Ok);
}

bool GuiPrompter::AskYesNo(const std::string& question) {
  return AskYesNoWithDetails(question, {});
}

bool GuiPrompter::AskYesNoWithDetails(const std::string& question, const std::string& details) {
  return Show(QMessageBox::Question, question, details, QMessageBox::Yes | QMessageBox::No,
              QMessageBox::Yes) == QMessageBox::Yes;
}

Answer GuiPrompter::AskYesNoCancel(const std::string& question) {
  switch (Show(QMessageBox::Question, question, {}, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
               QMessageBox::Yes)) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

Answer GuiPrompter::AskYesNoAllCancel(const std::string& question) {
  return OnWindowThread([&] {
    switch (QMessageBox::question(Owner(), kBoxTitle, Q(question),
                                  QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No |
                                      QMessageBox::NoToAll | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
      case QMessageBox::Yes:
        return Answer::kYes;
      case QMessageBox::YesToAll:
        return Answer::kYesToAll;
      case QMessageBox::No:
        return Answer::kNo;
      case QMessageBox::NoToAll:
        return Answer::kNoToAll;
      default:
        return Answer::kCancel;
    }
  });
}

std::optional<std::string> GuiPrompter::OpenFile(const std::string& title, const std::string& filter) {
  return OnWindowThread([&]() -> std::optional<std::string> {
    const QString pattern = filter.empty() ? QString("*") : Q(filter);
    const QString chosen =
        QFileDialog::getOpenFileName(Owner(), QString(), Q(startFolder_), Q(title) + " (" + pattern + ")");
    if (chosen.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
  });
}

std::optional<std::string> GuiPrompter::ChooseFolder(const std::string& title,
                                                     const std::string& startFolder) {
  return OnWindowThread([&]() -> std::optional<std::string> {
    const QString chosen = QFileDialog::getExistingDirectory(Owner(), Q(title), Q(startFolder));
    if (chosen.isEmpty()) return std::nullopt;
    return Std(QDir::toNativeSeparators(chosen));
  });
}

}
