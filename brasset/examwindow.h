#pragma once
// Brasset's second window, 考务编排: a whole grade's examination in as many
// rooms as it needs. The window owns one value, the exam (candidates,
// settings, seats), with the room shown, the seats selected and the
// messages; a handler computes the next exam with the functions of exams/
// and renders it. The settings controls are read only when arranging.

#include "common/desktop.h"
#include "exams/candidates.h"
#include "exams/exam.h"
#include "exams/outputs.h"

#include <QWidget>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace brasset {

class ExamWindow : public QWidget {
    Q_OBJECT
public:
    explicit ExamWindow(common::Desktop& desktop, QWidget* parent = nullptr);

    const exams::Exam& exam() const { return m_exam; }
    // Brasset's pasted names, a candidate each, ready to arrange.
    void takeNames(const std::vector<QString>& names);

    void openList();  // Ctrl+O
    void pasteList(); // Ctrl+Shift+V
    // F5; with a seed, that one instead of the one typed.
    void arrangeExam(std::optional<std::uint32_t> seed = std::nullopt);
    void openExam(); // Ctrl+Shift+O
    bool saveExam(); // Ctrl+S; false when not saved
    void exportWorkbook();
    void exportPrintPack();
    void printPart(exams::Part part);
    void exportTableDocument();
    void addCandidate();    // Ctrl+N
    void removeCandidate(); // Delete
    void swapCandidates();  // Ctrl+T

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Selected {
        int room = 0;
        int seat = 0;
        bool operator==(const Selected&) const = default;
    };

    QAction* addAction(const char* name, const QString& text, const QKeySequence& key,
                       void (ExamWindow::*handler)());
    void createActions();
    QWidget* createSettings();
    QWidget* createPlan();

    void readTable(const exams::ReadTable& table, const QString& source);
    void takeCandidates(const exams::ReadCandidates& read, const QString& source);
    std::optional<exams::Settings> settingsFromControls();
    bool seated();
    // Asks whether to save unsaved changes; false when the user's work
    // would be lost (saving failed or was cancelled).
    bool saveIfWanted();
    void lateChange(const exams::Exam& after);
    void summarise(const QString& why);
    std::vector<int> selectedCandidates() const;
    void selectionChanged();
    QString outputName(const QString& title, const QString& filter, const QString& suffix);
    void offerToOpen(const QString& path, const QString& title);

    // The one place where the exam reaches the widgets.
    void render();
    void renderSettings();
    void renderRoom();
    const std::vector<int>& seatsOf(int room) const;
    void renderSelection();

    common::Desktop& m_desktop;
    common::CommonDialog m_listDialog, m_examDialog, m_outputDialog;
    exams::Exam m_exam;
    int m_room = 0;
    std::vector<Selected> m_selected;
    QStringList m_messages;
    QString m_summary;
    QString m_examPath;
    bool m_unsaved = false;
    // The settings the controls show: they are written only when the
    // exam's differ, so that what the user typed stays until arranged.
    std::optional<exams::Settings> m_shownSettings;
    QStringList m_shownHeaders;
    bool m_rendering = false;

    QSpinBox* m_rows = nullptr;
    QSpinBox* m_columns = nullptr;
    QSpinBox* m_perRoom = nullptr;
    QCheckBox* m_fullRooms = nullptr;
    QRadioButton* m_fillRows = nullptr;
    QRadioButton* m_fillColumns = nullptr;
    QComboBox* m_order = nullptr;
    QComboBox* m_scoreColumn = nullptr;
    QCheckBox* m_diagonal = nullptr;
    QLineEdit* m_seed = nullptr;
    QLineEdit* m_prefix = nullptr;
    QLineEdit* m_title = nullptr;
    QTableWidget* m_roomTable = nullptr;
    QLabel* m_summaryLabel = nullptr;
    QLabel* m_selectionLabel = nullptr;
    QListWidget* m_roomList = nullptr;
    QTableWidget* m_grid = nullptr;
    QPlainTextEdit* m_messagesPane = nullptr;
};

// The columns of a list without a header row, asked in the dialog
// "columnsDialog": a choice of 姓名/班级/学号/考号/其他 per column, the
// first rows shown. Nothing when cancelled.
std::optional<std::vector<exams::Field>> askColumns(QWidget* parent, const exams::Table& table);

} // namespace brasset
