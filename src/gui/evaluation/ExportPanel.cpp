#include "gui/evaluation/ExportPanel.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QUrl>
#include <cstdlib>
#include <filesystem>

#include "core/FileWrite.h"
#include "core/SheetLayout.h"
#include "gui/evaluation/EvaluationView.h"
#include "gui/kit/Dialogs.h"
#include "gui/kit/Session.h"
#include "spreadsheet/Workbook.h"

namespace zebak::gui {

namespace {
const QString kFrage = QStringLiteral(
    "Soll die Tabelle außer in der Zwischenablage noch in einer Datei gespeichert werden?");
const QString kExcelFehler = QStringLiteral("Excel konnte nicht gestartet werden !");

struct Choice {
    const char* name;
    const char* caption;
    ExportChoice choice;
    int top;
};
constexpr Choice kChoices[3] = {{"RadioButton3", "zu Excel", ExportChoice::Excel, 56},
                                {"RadioButton1", "Text-Format", ExportChoice::Text, 80},
                                {"RadioButton2", "Daten (*.csv)", ExportChoice::Csv, 104}};
}  // namespace

ExportPanel::ExportPanel(Session& session, EvaluationView& view, QWidget* area, QWidget* window)
    : QObject(window), session_(session), view_(view), window_(window) {
    auto* panel = new QFrame(area);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(5, 376, 121, 129);
    auto* button = new QPushButton(QStringLiteral("&Export"), panel);
    button->setObjectName(QStringLiteral("SpeedButton1"));
    button->setGeometry(4, 6, 113, 41);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    button->setIcon(button->style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(button, &QPushButton::clicked, this, &ExportPanel::exportClicked);
    buildChoices(panel);
}

void ExportPanel::buildChoices(QFrame* panel) {
    auto* group = new QButtonGroup(panel);
    for (const Choice& c : kChoices) {
        auto* radio = new QRadioButton(QString::fromUtf8(c.caption), panel);
        radio->setObjectName(QString::fromLatin1(c.name));
        radio->setGeometry(10, c.top, 105, 20);
        radio->setChecked(view_.exportTo == c.choice);
        group->addButton(radio);
        const ExportChoice choice = c.choice;
        connect(radio, &QRadioButton::toggled, this, [this, choice](bool on) {
            if (on) view_.exportTo = choice;
        });
    }
}

void ExportPanel::exportClicked() {
    if (view_.exportTo == ExportChoice::Excel) {
        saveSpreadsheet();
        return;
    }
    const ExportFormat format =
        view_.exportTo == ExportChoice::Text ? ExportFormat::Text : ExportFormat::Csv;
    for (SlotNumber slot : {1, 2})
        if (view_.drawn(slot) && !exportText(slot, format)) return;
}

bool ExportPanel::exportText(SlotNumber slot, ExportFormat format) {
    const std::string text =
        zebak::exportText(session_.state().evaluationGrids(slot).positions, format);
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    const auto answer = session_.dialogs().message(window_, MessageKind::Confirmation, kFrage,
                                                   QMessageBox::Yes | QMessageBox::No);
    // Any answer but Yes keeps the table on the clipboard only and ends the export.
    if (answer != QMessageBox::Yes) return false;
    saveToFile(text, format);
    return true;
}

void ExportPanel::saveToFile(const std::string& text, ExportFormat format) {
    const bool textFormat = format == ExportFormat::Text;
    SaveFileOptions options;
    options.filters = {QStringLiteral("Excel(*.txt)"), QStringLiteral("Daten(*.csv)")};
    options.chosenFilter = textFormat ? 0 : 1;
    options.defaultSuffix = textFormat ? QStringLiteral("txt") : QStringLiteral("csv");
    const QString path = session_.dialogs().exportFileName(window_, options);
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (path.isEmpty()) return;
    try {
        writeFileSafely(path.toStdString(), exportFileBytes(text, format));
    } catch (const FileWriteError& e) {
        session_.dialogs().message(window_, MessageKind::Error, QString::fromUtf8(e.what()),
                                   QMessageBox::Ok);
    }
}

bool ExportPanel::saveSpreadsheet() {
    QStringList unopened;
    bool written = true;
    for (SlotNumber slot : {1, 2}) {
        if (!view_.drawn(slot)) continue;
        const QString path = writeWorkbookFor(slot);
        written = !path.isEmpty();
        if (!written) break;
        // Once the desktop has not opened one workbook, it would not open the next either.
        if (unopened.isEmpty() && session_.dialogs().openDocument(QUrl::fromLocalFile(path)))
            continue;
        unopened << QStringLiteral("Die Arbeitsmappe liegt unter %1").arg(path);
    }
    if (written && unopened.isEmpty()) return true;
    session_.dialogs().message(window_, MessageKind::Plain,
                               (QStringList{kExcelFehler} + unopened).join(QLatin1Char('\n')),
                               QMessageBox::Ok);
    return false;
}

QString ExportPanel::workbookFolder() {
    if (!workbookFolder_.isEmpty() && QFileInfo(workbookFolder_).isDir()) return workbookFolder_;
    // In the user's temporary folder; none when the folder TMPDIR names does not exist.
    const QString temp = QDir::tempPath();
    if (temp.isEmpty() || !QFileInfo(temp).isDir()) return {};
    QByteArray pattern = QFile::encodeName(temp + QStringLiteral("/zebak-XXXXXX"));
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    workbookFolder_ = QFile::decodeName(pattern);
    return workbookFolder_;
}

QString ExportPanel::writeWorkbookFor(SlotNumber slot) {
    namespace fs = std::filesystem;
    const QString folder = workbookFolder();
    if (folder.isEmpty()) return {};
    const Measurement& state = session_.state();
    const std::string path =
        workbookPath(fs::path(folder.toStdString()), state.film.path, slot, [](const fs::path& p) {
            std::error_code ec;
            return fs::exists(fs::symlink_status(p, ec));
        });
    try {
        writeWorkbook(path, sheetLayout(state.evaluation.at(static_cast<std::size_t>(slot - 1))));
    } catch (const FileWriteError&) {
        return {};
    }
    return QString::fromStdString(path);
}

}  // namespace zebak::gui
