#include "frmletter.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "FieldText.h"
#include "Messages.h"
#include "TextRoutines.h"
#include "ui_frmletter.h"

#include <QEvent>
#include <QTimer>

namespace {

// Selects the box's text up to its trimmed length. Done after the event that gave the
// focus, so that the click placing the cursor does not undo it.
template <class TextBox>
void selectPromptLater(TextBox* box, int length)
{
    QTimer::singleShot(0, box, [box, length] {
        if constexpr (std::is_same_v<TextBox, QPlainTextEdit>) {
            QTextCursor cursor = box->textCursor();
            cursor.setPosition(0);
            cursor.setPosition(length, QTextCursor::KeepAnchor);
            box->setTextCursor(cursor);
        } else {
            box->setSelection(0, length);
        }
    });
}

} // namespace

frmletter::frmletter(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmletter>())
{
    ui->setupUi(this);
    ui->txtMessage->installEventFilter(this);
    ui->txtSender->installEventFilter(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmletter::save);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    loadTemplate();
}

frmletter::~frmletter() = default;

bool frmletter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == ui->txtMessage) {
            const QString body = ui->txtMessage->toPlainText();
            if (body.startsWith(QLatin1String("Enter the body")))
                selectPromptLater(ui->txtMessage, int(TrimText(body).length()));
        } else if (watched == ui->txtSender) {
            selectPromptLater(ui->txtSender, int(TrimText(ui->txtSender->text()).length()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmletter::loadTemplate()
{
    RunReportingErrors([this] {
        auto rs = AppDatabase().OpenRecordset(
            QStringLiteral("SELECT letterbody, sendername from Company"));
        if (!rs->Eof()) {
            ui->txtMessage->setPlainText(FieldText(rs->Fields()["letterbody"]).toString());
            ui->txtSender->setText(FieldText(rs->Fields()["sendername"]).toString());
        }
        rs->Close();
    });
}

void frmletter::save()
{
    const QString sql = QStringLiteral("UPDATE Company SET letterbody='") +
                        SqlQuote(TrimText(ui->txtMessage->toPlainText())) +
                        QStringLiteral("', sendername='") +
                        SqlQuote(TrimText(ui->txtSender->text())) + QStringLiteral("'");
    if (RunReportingErrors([&] { AppDatabase().Execute(sql, dbFailOnError); }))
        accept();
}
