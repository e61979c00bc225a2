#pragma once

#include <QRect>
#include <QString>

#include <array>
#include <optional>

// Where the main window places each game panel and every control in it: the design's
// names, places (in twips, turned into pixels) and captions. The panels build their
// controls from these tables; only the window decides where they stand.

// A control at its design place, under its design name.
struct Placed {
    const char *name;
    QRect rect;
};

// The controls both panels have.
struct PanelLayout {
    Placed frame; // the panel, in the window
    Placed remembers;
    Placed rootLabel;
    Placed rootEdit;
    Placed pickButton;
    Placed keyLabel;
    QString keyCaption;
    Placed keyEdit;
    Placed sayLabel;
    QString sayCaption;
    // A borderless frame that keeps the text to say and its chat scope apart; the three are
    // placed in it when there is one.
    std::optional<Placed> scopeFrame;
    Placed sayEdit;
    Placed teamOption;
    Placed publicOption;
    Placed formalButton;
    Placed jazzButton;
    QString jazzCaption;
    std::array<const char *, 8> colourNames; // Red to Black
    bool everyColourTakesFocus;              // to the text to say; else Red alone
    Placed addButton;
    bool addInWindow; // over the frame's foot, drawn above it
    // In the window, under the panel's half: what the key does now, the Binds button, the
    // engine box (named after the game).
    QRect keyNow;
    QRect bindsButton;
    QRect engineBox;
    QRect keysButton; // beside the engine box: the picture of the game's keys
};

// The row of colour buttons, the same in both panels: each button's left and width.
inline constexpr int colourRowTop = 3000;
inline constexpr int colourRowHeight = 375;
inline constexpr std::array<std::pair<int, int>, 8> colourLeftAndWidth = {
    {{120, 615}, {720, 615}, {1320, 615}, {1920, 615}, {2520, 855}, {3360, 615}, {3960, 735}, {4680, 735}}};

// Quake 3's: the mod folder row and the Tessel Scheme besides.
struct Quake3Layout {
    PanelLayout panel;
    Placed baseq3Option;
    Placed ospOption;
    Placed customModOption;
    Placed customModEdit;
    Placed tesselButton;
};

// RTCW's: the example root and the voice row besides.
struct RtcwLayout {
    PanelLayout panel;
    Placed exampleLabel;
    Placed voiceOption;
    Placed voiceBox;
    Placed sayOption;
};

const Quake3Layout &quake3Layout();
const RtcwLayout &rtcwLayout();
