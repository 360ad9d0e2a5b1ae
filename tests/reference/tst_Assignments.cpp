// Linking a patient to drugs, health factors and the patient's doctor, with a comment. The
// drug and health factor windows are twins: each of their promises runs for both.

#include "WindowCases.h"
#include "clsDrug.h"
#include "clsHealthFactor.h"
#include "frmAssDc2.h"
#include "frmAssHF.h"
#include "frmAssRx.h"

#include <QtTest>

#include <sqlite3.h>

namespace {

const QString kPatient = QStringLiteral("O'Hara, Ann");
const QStringList kDoctorBoxes = {"txtLName", "txtFName", "txtComment", "cmdDelete"};

// What tells the drug window from the health factor window. Item 1 is the one linked.
struct Twin {
    std::unique_ptr<LinkAssignDialog> (*make)();
    QString title, table, idField, itemDesc, alreadyAssigned, nothingChosen, searchTitle;
    QStringList links(int ptid = 1) const;
};

template <class W> std::unique_ptr<LinkAssignDialog> Make() { return std::make_unique<W>(); }

const Twin kTwins[] = {
    {&Make<frmAssRx>, "Assign Drug for Patient", "Schedule", "DrugID", "Aspirin®",
     "Drug 'Aspirin®' is already assigned to this patient", "A Drug has not been selected yet",
     "Search - Drug"},
    {&Make<frmAssHF>, "Assign Health Factor for Patient", "PatientFactors", "CondID", "Smoking",
     "Health Factor 'Smoking' is already assigned to this patient",
     "A Health factor has not been selected yet", "Search - HealthFactor"},
};
// A patient's links in `table` as "item|comment".
QStringList Links(const QString& table, const QString& item, int ptid)
{
    return ListWindowTestbed::Rows(QStringLiteral("SELECT %1, comment FROM %2 WHERE ptid = %3").arg(item, table).arg(ptid));
}
QStringList Twin::links(int ptid) const { return Links(table, idField, ptid); }
QStringList DoctorLinks(int ptid = 1) { return Links("PatientsDoctors", "DoctorID", ptid); }

// Hands an item to the window as the search does, without a comment: the window takes the
// item of its kind and ignores the other.
void Pick(QDialog& window, int id, const QString& desc)
{
    clsDrug drug;
    drug.SetDrugID(id);
    drug.SetDrugDesc(desc);
    clsHealthFactor factor;
    factor.SetID(id);
    factor.SetDesc(desc);
    dynamic_cast<SearchReceiver&>(window).LoadObjectData(drug);
    dynamic_cast<SearchReceiver&>(window).LoadObjectData(factor);
}

clsDoctor Doctor(int id, const QString& last, const QString& first)
{
    clsDoctor doctor;
    doctor.SetID(id);
    doctor.SetLastName(last);
    doctor.SetFirstName(first);
    return doctor;
}

// Drops the table the window writes to, and says whether pressing OK reports the error.
bool ReportsEngineError(QDialog& window, ListWindowTestbed& bed, const QString& table)
{
    sqlite3_exec(AppDatabase().Handle(), qPrintable("DROP TABLE " + table), nullptr, nullptr, nullptr);
    ClickButton(window, "cmdAdd");
    return bed.notices.size() == 1 && bed.notices.first().contains(table, Qt::CaseInsensitive);
}

} // namespace

class tst_Assignments : public QObject, WindowCases<QDialog> {
    Q_OBJECT

private slots:
    void init()
    {
        start();
        ListWindowTestbed::AddPatient(1, QStringLiteral("O'Hara"), QStringLiteral("2/3/2025"));
        ListWindowTestbed::AddPatient(2, QStringLiteral("Berg"), QStringLiteral("2/3/2025"));
        for (const char* sql : {"INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Aspirin®')",
                                "INSERT INTO Doctors (DoctorID, LName, FName, Classification) VALUES "
                                "(4, 'O''Hara', 'Ann', 'Cardiology')",
                                "INSERT INTO Doctors (DoctorID, LName, FName) VALUES (7, 'Smith', 'John')",
                                "INSERT INTO PatientsDoctors (DoctorID, PtID, Comment) VALUES (7, 2, 'other')"})
            ListWindowTestbed::Exec(QString::fromUtf8(sql));
    }
    void cleanup() { finish(); }

    void twins_data() { AddTwinRows(kTwins, &Twin::title); }

    // Nothing chosen is refused; a pick empties the comment; Return stores it trimmed, with
    // its apostrophe, beside the patient's other links. A second link to the item is refused;
    // an engine error is reported and the window keeps the entry.
    void newLinkNeedsAPickAndIsStoredOnce_data() { twins_data(); }
    void newLinkNeedsAPickAndIsStoredOnce()
    {
        const Twin& t = pick();
        ListWindowTestbed::Exec(QStringLiteral("INSERT INTO %1 (%2, ptid, comment) VALUES (3, 1, 'kept')")
                                    .arg(t.table, t.idField));
        QDialog& w = open(t.make());
        QCOMPARE(w.windowTitle() + u'|' + ShownState(w, {"lblFullName", "lblDesc", "cmdSearch"}),
                 t.title + u'|' + kPatient + "||");
        bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
            QCOMPARE(search.windowTitle(), t.searchTitle);
            search.reject();
        });
        ClickButton(w, "cmdSearch");
        QVERIFY(bed->AllWindowsSeen());
        ClickButton(w, "cmdAdd");
        TypeInto(w, "txtComment", QStringLiteral("typed before the pick"));
        Pick(w, 1, t.itemDesc);
        QCOMPARE(ShownState(w, {"lblDesc", "txtComment"}), t.itemDesc + u'|');
        TypeInto(w, "txtComment", QStringLiteral("  twice daily, don't skip  "));
        QTest::keyClick(w.findChild<QWidget*>("txtComment"), Qt::Key_Return);
        QVERIFY(!w.isVisible());

        QDialog& again = open(t.make());
        Pick(again, 1, t.itemDesc);
        ClickButton(again, "cmdAdd");
        QCOMPARE(bed->notices, QStringList({t.nothingChosen, t.alreadyAssigned}));
        QCOMPARE(t.links(), QStringList({"3|kept", "1|twice daily, don't skip"}));
        bed->notices.clear();
        QDialog& failing = open(t.make());
        Pick(failing, 2, QStringLiteral("Other"));
        TypeInto(failing, "txtComment", QStringLiteral("father"));
        QVERIFY(ReportsEngineError(failing, *bed, t.table));
        QCOMPARE(ShownState(failing, {"lblDesc", "txtComment"}), QStringLiteral("Other|father"));
    }

    // Opened for a link, the item is fixed; OK stores the comment of this patient's link only,
    // Cancel stores nothing. A link removed elsewhere meanwhile is reported and a new one
    // offered instead.
    void linkedItemKeepsItsItemAndTakesANewComment_data() { twins_data(); }
    void linkedItemKeepsItsItemAndTakesANewComment()
    {
        const Twin& t = pick();
        for (int ptid : {1, 2})
            ListWindowTestbed::Exec(QStringLiteral("INSERT INTO %1 (%2, ptid, comment) VALUES (1, %3, 'old')")
                                        .arg(t.table, t.idField).arg(ptid));
        QDialog& w = open(t.make(), 1);
        QCOMPARE(ShownState(w, {"lblDesc", "cmdSearch", "txtComment"}), t.itemDesc + "|~|old");
        TypeInto(w, "txtComment", QStringLiteral("with food"));
        ClickButton(w, "cmdAdd");
        QVERIFY(!w.isVisible());
        QDialog& again = open(t.make(), 1);
        TypeInto(again, "txtComment", QStringLiteral("dropped"));
        ClickButton(again, "cmdCancel");
        QCOMPARE(t.links() + t.links(2), QStringList({"1|with food", "1|old"}));
        QDialog& gone = open(t.make(), 2);
        QCOMPARE(ShownState(gone, {"lblDesc", "cmdSearch", "txtComment"}), QStringLiteral("||"));
        QCOMPARE(bed->notices, QStringList{"This assignment no longer exists. It may have been removed on "
                                           "another workstation."});
    }

    // The typed names find the stored doctor whatever their case, blanks and apostrophes; a
    // name not stored adds the doctor, cut to the column's 20 characters, under the next
    // identifier and without a classification. A blank last name is refused. A doctor handed
    // by the search comes without a comment: the typed one stays.
    void doctorFoundOrAddedByName_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QStringList>("links");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("notices");
        const QStringList link{"4|sees her yearly, don't call"};
        QTest::newRow("stored") << "  o'HARA " << " ann" << link << QStringList() << QStringList();
        QTest::newRow("picked") << "" << "" << link << QStringList() << QStringList();
        QTest::newRow("new") << " d'Souza-Abercrombie-Smythe" << "Lan" << QStringList{"8|sees her yearly, don't call"}
                             << QStringList{"8|d'Souza-Abercrombie|Lan"} << QStringList();
        QTest::newRow("last name blank") << "   " << "John" << QStringList() << QStringList()
                                         << QStringList{"A Doctor has not been selected yet"};
    }
    void doctorFoundOrAddedByName()
    {
        QFETCH(QString, last);
        QFETCH(QString, first);
        QFETCH(QStringList, notices);
        auto& w = open(std::make_unique<frmAssDc2>());
        QCOMPARE(w.windowTitle() + u'|' + ShownState(w, {"lblFullName", "cmdDelete"}),
                 "Assign Doctor for Patient|" + kPatient + "|~&Delete");
        TypeInto(w, "txtLName", last);
        TypeInto(w, "txtFName", first);
        TypeInto(w, "txtComment", QStringLiteral("  sees her yearly, don't call  "));
        if (QTest::currentDataTag() == QByteArray("picked"))
            w.LoadObjectData(Doctor(4, QStringLiteral("O'Hara"), QStringLiteral("Ann")));
        QTest::keyClick(w.findChild<QWidget*>("txtComment"), Qt::Key_Return);
        QCOMPARE(w.isVisible(), !notices.isEmpty());
        QCOMPARE(bed->notices, notices);
        QTEST(DoctorLinks(), "links");
        QTEST(ListWindowTestbed::Rows("SELECT doctorid, lname, fname FROM Doctors WHERE doctorid > 7 AND "
                                      "classification IS NULL"), "added");
    }

    // Opened for the patient's link: other names replace its doctor. Delete asks; No changes
    // nothing, Yes removes the link the window was opened for, even after another doctor was
    // picked, and leaves the window open for a new one. Other patients' links stay. A new
    // doctor and the link are one write: when the link cannot be stored, the doctor is not
    // stored either, and the window stays as it was.
    void doctorLinkReplacedDeletedOrNotStored()
    {
        const QString link = "INSERT INTO PatientsDoctors (DoctorID, PtID, Comment) VALUES (4, 1, 'since 2019')";
        ListWindowTestbed::Exec(link);
        auto& w = open(std::make_unique<frmAssDc2>(), 4);
        QCOMPARE(ShownState(w, kDoctorBoxes), QStringLiteral("O'Hara|Ann|since 2019|&Delete"));
        TypeInto(w, "txtLName", QStringLiteral("SMITH"));
        TypeInto(w, "txtFName", QStringLiteral("john"));
        ClickButton(w, "cmdAdd");
        QCOMPARE(DoctorLinks(), QStringList{"7|since 2019"});

        ListWindowTestbed::Exec("DELETE FROM PatientsDoctors WHERE ptid = 1");
        ListWindowTestbed::Exec(link);
        auto& doctor = open(std::make_unique<frmAssDc2>(), 4);
        bed->Answer({false, true});
        ClickButton(doctor, "cmdDelete");
        QCOMPARE(DoctorLinks().size(), 1);
        doctor.LoadObjectData(Doctor(7, QStringLiteral("Smith"), QStringLiteral("John")), QStringLiteral("x"));
        ClickButton(doctor, "cmdDelete");
        QCOMPARE(bed->questions, QStringList(2, "Remove doctor O'Hara, Ann for this patient?"));
        QCOMPARE(DoctorLinks() + DoctorLinks(2), QStringList{"7|other"});
        QCOMPARE(ShownState(doctor, kDoctorBoxes), QStringLiteral("|||~&Delete"));
        TypeInto(doctor, "txtLName", QStringLiteral("Nguyen"));
        QVERIFY(ReportsEngineError(doctor, *bed, "PatientsDoctors"));
        QVERIFY(doctor.isVisible());
        QCOMPARE(TextOf(doctor, "txtLName"), QStringLiteral("Nguyen"));
        QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Doctors"), 2);
    }

private:
    const Twin& pick()
    {
        QFETCH(int, twin);
        return kTwins[twin];
    }
    template <class W> W& open(std::unique_ptr<W> made, std::optional<int> itemId = std::nullopt)
    {
        W& opened = *made;
        itemId ? made->Init(1, kPatient, *itemId) : made->Init(1, kPatient);
        window = std::move(made);
        [&] { QVERIFY(ShowActive(opened)); }();
        return opened;
    }
};

QTEST_MAIN(tst_Assignments)
#include "tst_Assignments.moc"
