#include "frmSearch.h"

frmSearch::frmSearch(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSearch"));
}

frmSearch::~frmSearch() = default;

void frmSearch::Init(const QString& pSearchFor, SearchReceiver*, const QString&)
{
    setWindowTitle(QStringLiteral("Search - ") + pSearchFor);
}

void OpenSearch(QWidget* parent, SearchReceiver& receiver, const QString& kind,
                const QString& preset)
{
    frmSearch window(parent);
    window.Init(kind, &receiver, preset);
    window.exec();
}
