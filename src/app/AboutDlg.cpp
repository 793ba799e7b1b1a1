#include "app/AboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("100"));
    setWindowTitle(tr("About Zentrel"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/zentrel.svg")).pixmap(48, 48));
    auto* text = new QLabel(tr("<b>Zentrel</b> Version %1<br>An authoring environment for web pages and small web sites.")
                                .arg(QApplication::applicationVersion()),
                            this);
    text->setObjectName(QStringLiteral("productName"));

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setSizeGripEnabled(false);
}
