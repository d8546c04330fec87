#pragma once
// The link rig as a GoogleTest fixture.

#include <gtest/gtest.h>

#include "link/LinkRig.h"

class LinkFixture : public ::testing::Test, public LinkRig {};
