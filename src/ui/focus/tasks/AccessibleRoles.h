#pragma once

// The roles screen readers are told for the board's self-drawn parts, which Qt would report
// as plain widgets: the task list is a list, each task row a list item, a filter tab a page tab.
namespace AccessibleRoles {

// Registers the roles with Qt's accessibility; more calls do nothing.
void install();

} // namespace AccessibleRoles
