#pragma once
// Marks what the platform core library exports; the build hides every other symbol.

#define PLATFORM_API __attribute__((visibility("default")))
