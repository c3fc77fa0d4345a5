#include "ui/app.h"

WinApp* WinApp::current_ = nullptr;
HINSTANCE WinApp::instance_ = nullptr;

WinApp::WinApp() { current_ = this; }

WinApp::~WinApp() { current_ = nullptr; }

int WinApp::run(HINSTANCE instance) {
    instance_ = instance;
    InitInstance();
    return 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return WinApp::current() ? WinApp::current()->run(instance) : 1;
}
