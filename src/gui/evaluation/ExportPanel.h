#pragma once

#include <QObject>
#include <QString>

#include "core/ExportText.h"
#include "core/Measurement.h"

class QFrame;
class QPushButton;
class QRadioButton;
class QWidget;

namespace zebak::gui {

class Session;
struct EvaluationView;

/// The export panel Panel1 of the evaluation window: the button "&Export" and the three
/// choices. The text formats put one colour's position table on the clipboard and, on
/// request, into a file; "zu Excel" writes a workbook of all three tables per colour into the
/// temporary folder and hands it to the desktop's spreadsheet application. Colour 1 goes
/// first, then colour 2, each only while checked in the view menu.
class ExportPanel : public QObject {
    Q_OBJECT
  public:
    /// Builds the panel's controls on `area` at the panel's place; `window` is the evaluation
    /// window, brought to the front again after the save dialog.
    ExportPanel(Session& session, EvaluationView& view, QWidget* area, QWidget* window);

    /// SpeedButton1Click: the export after the chosen format (the button and "&Speichern").
    void exportClicked();
    /// ExcelSpeichern: one workbook per checked colour, each opened by the desktop; false
    /// (after the message) when one cannot be written or opened. A workbook the desktop does
    /// not open stays, and the message names where it is; the next colour's is then written
    /// beside it without trying the desktop again.
    bool saveSpreadsheet();

  private:
    void buildChoices(QFrame* panel);
    bool exportText(SlotNumber slot, ExportFormat format);
    void saveToFile(const std::string& text, ExportFormat format);
    /// Writes the colour's workbook into the workbook folder; its path, or empty when it
    /// cannot be written.
    QString writeWorkbookFor(SlotNumber slot);
    QString workbookFolder();

    Session& session_;
    EvaluationView& view_;
    QWidget* window_;
    /// A folder of this window's own in the temporary folder (mode 0700, made on first
    /// use), so no other user can plant a file or a link under a workbook's name.
    QString workbookFolder_;
};

}  // namespace zebak::gui
