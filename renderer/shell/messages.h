#pragma once

#include <string>

// Tells the user, in one line on stderr prefixed with the program's name, what failed and why.
void Fail(const std::string& message);

// Why a call that set errno to CODE failed, in the words of the messages above: "no such file".
std::string ErrorText(int code);
