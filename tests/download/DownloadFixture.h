#pragma once
// The download rig as a GoogleTest fixture.

#include <gtest/gtest.h>

#include "download/DownloadRig.h"

class DownloadFixture : public ::testing::Test, public DownloadRig {};
