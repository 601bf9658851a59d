// SPDX-License-Identifier: GPL-3.0-or-later
#include "clicommands.h"

#include <iostream>

int main(int argc, char** argv)
{
    return RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                  std::cerr);
}
