#pragma once

#include "Platform/web/AxWidget.h"

// Hosts the web browser control and hands it every keyboard message, so Tab and the arrow keys move inside
// the page instead of through the application's focus chain and shortcuts.
class CustomWebView : public Platform::AxWidget
{
public:
    explicit CustomWebView(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~CustomWebView() override;

protected:
    bool translateKeyEvent(int message, int keycode) const override;
};
