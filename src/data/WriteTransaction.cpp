#include "WriteTransaction.h"

#include "Database.h"
#include "DbError.h"

#include <QThread>
#include <cstdlib>

namespace {

constexpr int kAttempts = 5;

} // namespace

WriteTransaction::WriteTransaction(Database& db)
    : m_db(db), m_nested(db.InTransaction())
{
    if (m_nested)
        runOnHandle("SAVEPOINT velmora_write");
    else
        m_db.BeginTrans();
}

WriteTransaction::~WriteTransaction()
{
    if (m_done)
        return;
    try {
        if (m_nested)
            runOnHandle("ROLLBACK TO velmora_write; RELEASE velmora_write");
        else
            m_db.Rollback();
    } catch (const DbError&) {
        // The statement that failed has already ended the transaction.
    }
}

void WriteTransaction::Commit()
{
    if (m_nested)
        runOnHandle("RELEASE velmora_write");
    else
        m_db.CommitTrans();
    m_done = true;
}

// Savepoints are no Jet statements, so they go to the back end directly.
void WriteTransaction::runOnHandle(const char* sql)
{
    m_db.ExecuteDirect(sql);
}

void WriteTransaction::Run(Database& db, const std::function<void()>& work)
{
    const bool outermost = !db.InTransaction();
    for (int attempt = 1;; ++attempt) {
        try {
            WriteTransaction transaction(db);
            work();
            transaction.Commit();
            return;
        } catch (const DbError& e) {
            if (!outermost || e.GetKind() != DbError::Conflict || attempt == kAttempts)
                throw;
        }
        // Colliding writers start again at different moments.
        QThread::msleep(20 * attempt + std::rand() % 20);
    }
}
