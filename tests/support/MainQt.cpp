// The main of test programs that need a Qt application (offscreen): a widget
// application where the widgets are linked, a GUI application otherwise. Files are made
// under the usual umask, whatever the shell that runs the tests has, so that the
// permissions the tests expect hold anywhere.
#if __has_include(<QApplication>)
#include <QApplication>
using Applicazione = QApplication;
#else
#include <QGuiApplication>
using Applicazione = QGuiApplication;
#endif

#include <gtest/gtest.h>

#include <sys/stat.h>

int main(int argc, char** argv) {
  ::umask(022);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Applicazione app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
