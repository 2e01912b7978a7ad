#include "gui/shell/InformationDialog.h"

#include "ProgramVersion.h"
#include "gui/kit/DataFiles.h"
#include "gui/kit/HelpPage.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace zebak::gui {

InformationDialog::InformationDialog(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Information"));
    setFixedSize(382, 356);

    QLabel* title =
        addLabel(QStringLiteral("Label1"),
                 QStringLiteral("Zebak  Version ") + QLatin1String(kProgramVersion), 16, 28);
    title->setStyleSheet(QStringLiteral("color: navy; font-weight: bold; font-size: 16pt;"));
    addLabel(QStringLiteral("Label2"), QStringLiteral("28.05.2003"), 50);
    addLabel(QStringLiteral("Label3"), QStringLiteral("Neueste Versionen und weitere Infos unter:"),
             80);
    addLabel(QStringLiteral("Label4"), QStringLiteral("den Hilfeseiten (F1) und im Ordner „hilfe“"),
             98);
    addLabel(QStringLiteral("Label5"),
             QStringLiteral("Idee und Programmierung:\nZebak-Entwicklergruppe"), 132, 34);
    addLink(QStringLiteral("Label6"), QStringLiteral("Hilfeseiten"), helpPageUrl(), 166);
    addLabel(QStringLiteral("Label7"),
             QStringLiteral("Physikdidaktik:\nArbeitskreis Bewegungsanalyse im Unterricht"), 196,
             34);
    addLabel(QStringLiteral("Label8"),
             QStringLiteral("Erprobung:\nLehrkräfte und Lerngruppen der Projektschulen"), 240, 34);
    addLink(QStringLiteral("Label9"), QStringLiteral("Lizenz: GPL-3.0-or-later"), licenceUrl(),
            274);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(151, 312, 80, 28);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

QLabel* InformationDialog::addLabel(const QString& name, const QString& text, int top, int height) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(8, top, width() - 16, height);
    return label;
}

QUrl InformationDialog::licenceUrl() {
    return QUrl::fromLocalFile(dataFilePath(QStringLiteral("LICENSE")));
}

QLabel* InformationDialog::addLink(const QString& name, const QString& text, const QUrl& url,
                                   int top) {
    QLabel* link = addLabel(name, text, top);
    link->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    link->setCursor(Qt::PointingHandCursor);
    // Opened by the desktop's browser; a failure is ignored, as with the help page.
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    link->setText(QStringLiteral("<a href=\"%1\" style=\"color: blue;\">%2</a>")
                      .arg(url.toString(QUrl::FullyEncoded), text.toHtmlEscaped()));
    link->setOpenExternalLinks(false);
    connect(link, &QLabel::linkActivated, this,
            [](const QString& target) { QDesktopServices::openUrl(QUrl(target)); });
    return link;
}

void InformationDialog::zeigen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
}

}  // namespace zebak::gui
