// The search window on the practice database: a new window listing all 50,000 patients,
// and a "Contains" search on the last name in an open window, each against the engine
// alone reading the same statement with the same recordset type and fields.
#include "EngineRead.h"

#include <DaoType.h>
#include <SearchReceiver.h>
#include <SearchStatement.h>
#include <frmSearch.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace
{

const QString kListing = QStringLiteral("SELECT * from patients ");
// Johnson, Wilson, Anderson and Jackson: about a fifth of the patients.
const QString kFragment = QStringLiteral("son");

// Every field the window reads into a patient record.
const QStringList kPatientFields = {"address1", "address2", "birthdate", "calldate",  "cellphone",
                                    "city",     "email",    "fname",     "goal_chol", "goal_ldl",
                                    "ptid",     "lname",    "MI",        "phone",     "sex",
                                    "st",       "zip",      "systolic",  "diastolic"};

class NoReceiver : public SearchReceiver
{
};

NoReceiver receiver;

int gridRows(QWidget& window)
{
    return window.findChild<QTableView*>(QStringLiteral("GridResults"))->model()->rowCount();
}

void BM_PatientSearch_Window(benchmark::State& state)
{
    int rows = 0;
    for (auto _ : state) {
        frmSearch window;
        window.Init(QStringLiteral("Patient"), &receiver);
        rows = gridRows(window);
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_PatientSearch_Window)->Unit(benchmark::kMillisecond);

// As the user waits for it: the new window filled, shown and painted.
void BM_PatientSearchShown_Window(benchmark::State& state)
{
    for (auto _ : state) {
        frmSearch window;
        window.Init(QStringLiteral("Patient"), &receiver);
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PatientSearchShown_Window)->Unit(benchmark::kMillisecond);

void BM_PatientSearch_Engine(benchmark::State& state)
{
    for (auto _ : state)
        state.counters["rows"] = EngineRead::Rows(kListing, kPatientFields, dbOpenForwardOnly);
}
BENCHMARK(BM_PatientSearch_Engine)->Unit(benchmark::kMillisecond);

// An open search window set to last name, "Contains" and the fragment; each iteration
// presses the search button. Its listing at opening is left out of the time.
void BM_ContainsSearch_Window(benchmark::State& state)
{
    frmSearch window;
    window.Init(QStringLiteral("Patient"), &receiver, QStringLiteral("Last Name"));
    window.findChild<QComboBox*>(QStringLiteral("cmbOperator"))
        ->setCurrentText(QStringLiteral("Contains"));
    window.findChild<QLineEdit*>(QStringLiteral("txtSearchFor"))->setText(kFragment);
    auto* button = window.findChild<QPushButton*>(QStringLiteral("cmdSearch"));
    for (auto _ : state)
        button->click();
    state.counters["rows"] = gridRows(window);
}
BENCHMARK(BM_ContainsSearch_Window)->Unit(benchmark::kMillisecond);

void BM_ContainsSearch_Engine(benchmark::State& state)
{
    const QString sql =
        SearchStatement(kListing, QStringLiteral("lname"), QStringLiteral("Contains"), kFragment);
    for (auto _ : state)
        state.counters["rows"] = EngineRead::Rows(sql, kPatientFields, dbOpenForwardOnly);
}
BENCHMARK(BM_ContainsSearch_Engine)->Unit(benchmark::kMillisecond);

} // namespace
