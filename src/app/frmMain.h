#pragma once

#include "EditorWindow.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <vector>
#include <memory>

namespace Ui { class frmMain; }
class MainToolBar;
class PictureMenu;
class QLabel;
class QMenu;
class ViewModel;
struct ViewDefinition;

// The hub window: lists one kind of record at a time and starts every action on records.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up, then the title, the Patient view and the stored size. False when the
    // program must end.
    bool Load();

    const QString& CurrentView() const { return m_currentView; }
    // Makes a view current and lists it, as a click on its picture does.
    void ShowView(const QString& kind);
    // Lists a view without making it current; an engine error leaves the grid as it was.
    void LoadView(const QString& kind);
    // Gives the name column the room the other columns leave.
    void FitNameColumn();
    void SetStatusText(const QString& text);
    QString StatusText() const;

    // The editor of "Patient", "Doctor", "Drug" or "HealthFactor"; its menu items, buttons
    // and grid actions are enabled once it is set.
    void SetEditor(const QString& kind, EditorWindow editor);
    void OpenPatientEditor(std::optional<qint32> id = std::nullopt);
    void OpenDoctorEditor(std::optional<qint32> id = std::nullopt);
    void OpenDrugEditor(std::optional<qint32> id = std::nullopt);
    void OpenHealthFactorEditor(std::optional<qint32> id = std::nullopt);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupToolBar();
    void setupGrid();
    void setupPopup();
    void setupStatusBar();
    void connectMenus();
    void setTitle();
    void changeDatabaseLocation();
    void applyStoredSize();
    void storeSize() const;
    void layoutChildren();
    void SetupGrid(const ViewDefinition& view);
    void SetViewTitle(const ViewDefinition& view);
    void FillGrid(std::vector<QStringList> rows);
    void updateActions();
    bool hasEditor(const QString& kind) const;
    void openEditor(const QString& kind, std::optional<qint32> id);
    bool configurePopup();
    void gridPressed(QMouseEvent* event);
    void openSelected();
    // The chart options with the patient of this id (0: none).
    void openChartSetup(qint32 ptid);
    void deleteSelected();
    int selectedRow() const;
    QString selectedCell(int column) const;

    std::unique_ptr<Ui::frmMain> ui;
    MainToolBar* m_toolBar;
    PictureMenu* m_pictureMenu;
    ViewModel* m_model;
    QMenu* m_popup;
    QLabel* m_message;
    QLabel* m_clock;
    QString m_currentView = QStringLiteral("Patient");
    bool m_sizeApplied = false;
    QHash<QString, EditorWindow> m_editors;
};
