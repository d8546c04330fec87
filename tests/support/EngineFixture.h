#pragma once
// A terminal on a fake port, a recording view and the virtual clock, with the
// built-in English texts.

#include <gtest/gtest.h>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
#include "sim/VirtualEventLoop.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingView.h"

class EngineFixture : public ::testing::Test {
protected:
    EngineFixture() {
        app.SetDefaultMultiLanguageStr();
        app._nLanguage = 0;
        app.PcPort.PortName = "/dev/ttyUSB0";
    }

    CKOVAApp app;
    FakeSerialPort port;
    VirtualEventLoop loop;
    RecordingView view;
    Terminal terminal{app, port, loop, view};
};
