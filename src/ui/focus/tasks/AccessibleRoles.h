#pragma once

// The roles screen readers are told for the board's self-drawn parts, which Qt would report
// as plain widgets: a filter tab is a page tab.
namespace AccessibleRoles {

// Registers the roles with Qt's accessibility; more calls do nothing.
void install();

} // namespace AccessibleRoles
