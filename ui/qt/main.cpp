// SPDX-License-Identifier: MIT
#include "startup.h"

int main(int argc, char** argv) { return pemdra::qt::run(argc, argv); }
