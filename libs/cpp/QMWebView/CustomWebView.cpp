#include "QMWebView/CustomWebView.h"

CustomWebView::CustomWebView(QWidget *parent, Qt::WindowFlags flags) : Platform::AxWidget(parent, flags)
{
    setControl(QStringLiteral("8856F961-340A-11D0-A96B-00C04FD705A2"));
}

CustomWebView::~CustomWebView() = default;

bool CustomWebView::translateKeyEvent(int message, int keycode) const
{
    if (isKeyboardMessage(message))
        return true;
    return Platform::AxWidget::translateKeyEvent(message, keycode);
}
