#pragma once

// The look the fixed layout was drawn for: the program's icon, and a small sans serif
// with Arial's metrics, in which every caption fits its box.
void applyAppearance();
