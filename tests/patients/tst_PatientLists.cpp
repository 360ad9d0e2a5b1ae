// A patient's lab visits, contacts, drugs and health factors, each listed in its own window.
// The four lists are twins: each promise runs for all four from the table of twins.

#include "WindowCases.h"
#include "frmPsBW.h"
#include "frmPsComms.h"
#include "frmPsHFs.h"
#include "frmPsRxs.h"

#include <QHeaderView>
#include <QMenu>
#include <QtTest>

namespace {

const QString kPatient = QStringLiteral("O'Hara, Ann");

// What tells one list from its twins. Its columns read "heading width", the width in twips,
// a * marking the column that takes the room left. `insert` stores the values %1: the seeds
// before the list opens (patient 1 has the listed rows, patient 2 one more; a drug stored
// twice, another program's doing, is listed once), `later` while an editor is open. The
// editor shows its row's column `keyColumn` in `editorKey`, and `newKey` there for a new row.
struct Twin {
    std::unique_ptr<PatientItemList> (*make)();
    QString name, title, addButton;
    QStringList columns;
    QString insert;
    QStringList seeds;
    QString later;
    QStringList rows;
    bool ordered;
    QString removeQuestion, table, editor, editorKey;
    int keyColumn;
    QString newKey;
};

template <class W> std::unique_ptr<PatientItemList> Make() { return std::make_unique<W>(); }

const Twin kTwins[] = {
    {&Make<frmPsBW>, "frmPsBW", "Blood Work results for Patient", "cmdAddLV",
     {"ID 600", "Lab Date 1200", "Total Chol 1100", "HDL 1110", "LDL 1110*"},
     "INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, hmcyst) VALUES (%1, 50, 120, 0)",
     {"1, 1, #3/4/2024#, 200", "2, 1, #6/7/2024#, 210", "3, 2, #6/7/2024#, 210"}, "4, 1, #1/1/2020#, 190",
     {"2|6/7/2024|210|50|120", "1|3/4/2024|200|50|120"}, true,
     "Remove Lab Visit '%1' for this Patient?", "LabVisits", "frmLabWork", "lblID", 0, "4"},
    {&Make<frmPsComms>, "frmPsComms", "Contact log for Patient", "cmdAssign",
     {"ID 600", "Date 1000", "Time 1000", "Outcome 1520*", "Completed 1000"},
     "INSERT INTO Communications (id, ptid, calldate, result, complete, calltime) VALUES (%1, '09:00:00')",
     {"5, 1, #1/2/2024#, 'a', False", "2, 1, #5/6/2024#, 'b', True", "3, 2, #3/4/2024#, 'c', False"},
     "6, 1, #1/1/2020#, 'd', False",
     {"5|01/02/2024|09:00:00|a|", "2|05/06/2024|09:00:00|b|X"}, true,
     "Remove Entry '%1' for this Patient", "Communications", "frmComm", "lblID", 0, "4"},
    {&Make<frmPsRxs>, "frmPsRxs", "Drugs used by Patient", "cmdAssignRX", {"ID 600", "Desc 1200", "Comment 3320*"},
     "INSERT INTO Schedule (DrugID, ptid, comment) VALUES (%1)",
     {"1, 1, 'a'", "3, 1, 'b'", "1, 2, 'c'", "1, 1, 'again'"}, "2, 1, 'd'", {"1|Aspirin®|a", "3|Zocor®|b"}, false,
     "Remove Drug '%1' for this Patient", "Schedule", "frmAssRx", "lblDesc", 1, ""},
    {&Make<frmPsHFs>, "frmPsHFs", "Health Factors of Patient", "cmdAssignHF", {"ID 600", "Desc 1200", "Comment 3320*"},
     "INSERT INTO PatientFactors (CondID, ptid, comment) VALUES (%1)",
     {"1, 1, 'a'", "3, 1, 'b'", "1, 2, 'c'"}, "2, 1, 'd'", {"1|Smoking|a", "3|Overweight|b"}, false,
     "Remove health factor '%1' for this Patient", "PatientFactors", "frmAssHF", "lblDesc", 1, ""},
};

} // namespace

class tst_PatientLists : public QObject, WindowCases<PatientItemList> {
    Q_OBJECT

private slots:
    void initTestCase_data() { AddTwinRows(kTwins, &Twin::name); }
    void init()
    {
        QFETCH_GLOBAL(int, twin);
        this->twin = &kTwins[twin];
        start();
        ListWindowTestbed::AddPatient(1, QStringLiteral("O'Hara"), QStringLiteral("2/3/2025"));
        for (const char* drug : {"1, 'Aspirin®'", "2, 'Lipitor®'", "3, 'Zocor®'"})
            ListWindowTestbed::Exec("INSERT INTO Drugs (DrugID, DrugDesc) VALUES (" + QString::fromUtf8(drug) + ")");
    }
    void cleanup() { finish(); }

    // Only the patient's rows are listed, under the headings and in the widths of the columns;
    // one column takes the room left, and the contacts' time column makes room for a scroll bar.
    void listsThePatientsRowsUnderItsHeadings()
    {
        PatientItemList& l = open();
        QCOMPARE(QStringList({l.objectName(), l.windowTitle(), TextOf(l, "lblFullName")}),
                 QStringList({twin->name, twin->title, kPatient}));
        QStringList listed = rows();
        if (!twin->ordered)
            listed.sort();
        QCOMPARE(listed, twin->rows);
        QStringList columns;
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QString twips = twin->columns.value(c).section(u' ', -1);
            const int width = l.TwipsToPixels(twips.chopped(twips.endsWith(u'*') ? 1 : 0).toInt());
            // The column marked * may be wider, or narrower by the rounding of the others.
            const bool fits = twips.endsWith(u'*') ? grid->columnWidth(c) >= width - 2 : grid->columnWidth(c) == width;
            columns << grid->horizontalHeaderItem(c)->text() + u' ' + (fits ? twips : QStringLiteral("other width"));
        }
        QCOMPARE(columns, twin->columns);
        // Past three contacts the grid shows a scroll bar; the time column makes room for it.
        if (twin->name == QStringLiteral("frmPsComms")) {
            ListWindowTestbed::Exec(twin->insert.arg(twin->later));
            ListWindowTestbed::Exec(twin->insert.arg("10, 1, #3/4/2024#, 'e', False"));
            l.Init(1, kPatient);
            QCOMPARE(grid->columnWidth(2), l.TwipsToPixels(760));
        }
    }

    // A left press selects a row, a right press selects it and opens the menu; a press below
    // the rows selects nothing and opens no menu.
    void pressesSelectRowsAndOpenTheMenu()
    {
        PatientItemList& l = open();
        const auto state = [&] {
            return QString::number(IsEnabled(l, "cmdEdit") ? grid->currentRow() : -1) + (menu->isVisible() ? "+menu" : "");
        };
        QStringList seen{state()};
        PressRow(*grid, 1, Qt::LeftButton);
        seen << state();
        QTest::mousePress(grid->viewport(), Qt::RightButton, {}, QPoint(5, grid->viewport()->height() - 3));
        seen << state();
        PressRow(*grid, 1, Qt::RightButton);
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(seen << state(), QStringList({"-1", "1", "-1", "1+menu"}));
    }

    // No keeps the row; Yes removes only this patient's row, a drug's both links. After the
    // reload nothing is selected, so Edit and Delete do nothing.
    void removeAsksAndReloads()
    {
        open();
        const QStringList before = rows();
        bed->Answer({false, true});
        for (int i = 0; i < 2; ++i) {
            PressRow(*grid, 0, Qt::RightButton);
            menu->hide();
            Child<QAction>(*window, "mnuDeleteOpt")->trigger();
        }
        QCOMPARE(bed->questions, QStringList(2, twin->removeQuestion.arg(before[0].section(u'|', 1, 1))));
        QCOMPARE(rows(), before.mid(1));
        QCOMPARE(ListWindowTestbed::Rows("SELECT ptid, count(*) FROM " + twin->table + " GROUP BY ptid"),
                 QStringList({"1|1", "2|1"}));
        QVERIFY(!IsEnabled(*window, "cmdEdit"));
        Child<QAction>(*window, "mnuDeleteOpt")->trigger();
        Child<QAction>(*window, "mnuEditOpt")->trigger();
        QCOMPARE(rows(), before.mid(1));
    }

    // A double click opens the row's editor and the list reloads when it closes, the row
    // still selected, so Edit opens it again. Add opens the editor for a new row.
    void editorsOpenForTheRowAndTheListReloads()
    {
        PatientItemList& l = open();
        const QStringList row = RowTexts(*grid, 1);
        QStringList seen;
        for (const QString& sql : {twin->insert.arg(twin->later), "DELETE FROM " + twin->table + " WHERE ptid = 1", QString()})
            bed->OnWindow(twin->editor, [&, sql](QDialog& editor) {
                seen << TextOf(editor, "lblFullName") + u'|' + TextOf(editor, twin->editorKey);
                if (!sql.isEmpty())
                    ListWindowTestbed::Exec(sql);
                editor.reject();
            });
        DoubleClickRow(*grid, 1);
        QCOMPARE(QStringList({QString::number(grid->rowCount()), RowTexts(*grid, grid->currentRow())[0]}),
                 QStringList({"3", row[0]}));
        ClickButton(l, "cmdEdit");
        ClickButton(l, twin->addButton);
        const QString key = kPatient + u'|' + row[twin->keyColumn];
        QCOMPARE(seen, QStringList({key, key, kPatient + u'|' + twin->newKey}));
        QCOMPARE(grid->rowCount(), 0);
    }

private:
    // Opens the twin's list for patient 1 with its rows stored.
    PatientItemList& open()
    {
        for (const QString& values : twin->seeds)
            ListWindowTestbed::Exec(twin->insert.arg(values));
        window = twin->make();
        window->Init(1, kPatient);
        [this] { QVERIFY(ShowActive(*window)); }();
        grid = Child<QTableWidget>(*window, "gridResults");
        menu = Child<QMenu>(*window, "mnuItems");
        return *window;
    }
    QStringList rows()
    {
        QStringList texts;
        for (int row = 0; row < grid->rowCount(); ++row)
            texts.append(RowTexts(*grid, row).join(u'|'));
        return texts;
    }

    const Twin* twin = nullptr;
    QTableWidget* grid = nullptr;
    QMenu* menu = nullptr;
};

QTEST_MAIN(tst_PatientLists)
#include "tst_PatientLists.moc"
