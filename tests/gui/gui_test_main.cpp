// One QApplication for the run, offscreen without a display (its notes dropped); QSettings go to a
// folder of the run, never to the user's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QtMessageHandler qtDefaultHandler = nullptr;

void DropOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("This plugin does not support")) return;
  qtDefaultHandler(type, context, message);
}

}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qtDefaultHandler = qInstallMessageHandler(DropOffscreenNotes);
  QApplication app(argc, argv);
  const QTemporaryDir settings;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  for (const auto scope : {QSettings::UserScope, QSettings::SystemScope})
    QSettings::setPath(QSettings::IniFormat, scope, settings.path());
  app.setOrganizationName("Wingfold tests");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
