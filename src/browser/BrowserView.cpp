#include "browser/BrowserView.h"

#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

CBrowserView::CBrowserView()
    : m_pLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("BrowserView"));
    m_pLabel->setAlignment(Qt::AlignCenter);
    m_pLabel->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pLabel);
}

void CBrowserView::Navigate(const QString& path)
{
    m_strPath = path;
    m_pLabel->setText(tr("%1\n\nThe embedded browser is not available in this version.")
                          .arg(QDir::toNativeSeparators(path)));
}
