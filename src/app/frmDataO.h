#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class frmDataO; }

// Lets the user connect to an existing database file, name the folder of a new one, or name
// a database on a server.
class frmDataO : public QDialog {
    Q_OBJECT
public:
    explicit frmDataO(QWidget* parent = nullptr);
    ~frmDataO() override;

    void Init(const QString& path);
    // True when the user chose to create a new database.
    bool CreateNew() const { return m_createNew; }
    // The picked path; the initial path while nothing else was picked.
    QString DataFilePath() const { return m_dataFilePath; }
    // The connection string of a chosen database server; empty when a file was chosen.
    QString ServerConnection() const { return m_server; }

private:
    void showPath(const QString& path);
    void browseExisting();
    void browseNew();
    void chooseServer();

    std::unique_ptr<Ui::frmDataO> ui;
    bool m_createNew = false;
    QString m_dataFilePath;
    QString m_server;
};
