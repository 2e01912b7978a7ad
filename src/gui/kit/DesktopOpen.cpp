#include "gui/kit/DesktopOpen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

namespace zebak::gui {

namespace {

/// How long xdg-open may take to fail before a program counts as started, milliseconds.
constexpr int kVerdictMs = 3000;

/// Runs xdg-open on the file in the background; its exit status is written to `status`
/// when it ends. The shell that starts it ends at once, so nothing of it is left to this
/// program when xdg-open goes on running the program it started.
bool openWithXdg(const QString& opener, const QString& file) {
    QTemporaryDir folder;
    if (!folder.isValid()) return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    const QString status = folder.filePath(QStringLiteral("status"));
    const QString script = QStringLiteral(
        "(\"$0\" \"$1\" </dev/null >/dev/null 2>&1; echo $? > \"$2.part\"; "
        "mv \"$2.part\" \"$2\") >/dev/null 2>&1 &");
    if (!QProcess::startDetached(QStringLiteral("/bin/sh"),
                                 {QStringLiteral("-c"), script, opener, file, status}))
        return false;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kVerdictMs) {
        QFile answer(status);
        if (answer.open(QIODevice::ReadOnly)) return answer.readAll().trimmed() == "0";
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

}  // namespace

bool openOnDesktop(const QUrl& url) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt starts xdg-open and reports success whether or not it finds a program.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty() && url.isLocalFile()) return openWithXdg(opener, url.toLocalFile());
#endif
    return QDesktopServices::openUrl(url);
}

}  // namespace zebak::gui
