#include "MUI/MUIAlertView.h"

MUIAlertView::MUIAlertView(QWidget *parent)
    : QDialog(parent)
{
}

void MUIAlertView::setButtonTitles(const QStringList &titles)
{
    m_buttonTitles = titles;
}

void MUIAlertView::setCancelButtonIndex(int index)
{
    m_cancelButtonIndex = index;
}

void MUIAlertView::setTitle(const QString &)
{
}

void MUIAlertView::setMessage(const QString &)
{
}

void MUIAlertView::addButton(const QString &)
{
}

void MUIAlertView::setDelegate(QObject *)
{
}

void MUIAlertView::dismissWithButton(int, bool)
{
}
