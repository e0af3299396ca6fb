// Headers most sources include, compiled once per target (see cmake/targets.cmake). Qt's, the
// widget and the test headers come in only for targets that link those libraries.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>
#ifdef QT_CORE_LIB
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#endif
#ifdef QT_WIDGETS_LIB
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#endif
#ifdef QT_TESTLIB_LIB
#include <QTest>
#ifdef GTEST_HAS_PTHREAD
#include <gtest/gtest.h>
#endif
#endif
