#include "panellayout.h"

#include "layout.h"

const Quake3Layout &quake3Layout()
{
    static const Quake3Layout layout {
        {
            {"Frame2", twipsRect(0, 0, 5535, 4215)},
            {"Label5", twipsRect(1800, 240, 3615, 255)},
            {"Label1", twipsRect(240, 480, 1575, 375)},
            {"Text1", twipsRect(1800, 480, 3375, 285)},
            {"Command16", twipsRect(5160, 480, 255, 255)},
            {"Label3", twipsRect(120, 1800, 3255, 255)},
            QStringLiteral("Key to be bound to (eg f f1 mouse3 space)"),
            {"txtkey", twipsRect(3360, 1800, 2055, 285)},
            {"Label4", twipsRect(120, 2160, 975, 255)},
            QStringLiteral("To say"),
            std::nullopt,
            {"txtsay", twipsRect(1200, 2160, 4215, 285)},
            {"Option3", twipsRect(840, 2520, 1335, 255)},
            {"Option4", twipsRect(1920, 2520, 975, 255)},
            {"Command10", twipsRect(2880, 2520, 975, 495)},
            {"Command11", twipsRect(3840, 2520, 855, 495)},
            QStringLiteral("Uber-Jazz"),
            {"Command2", "Command3", "Command4", "Command5", "Command6", "Command7", "Command8", "Command9"},
            false,
            // The design puts Quake 3's "Add" in the window, over the frame's foot.
            {"Command1", twipsRect(120, 3360, 5295, 735)},
            true,
            // Bottom left, under this panel's half of the window.
            twipsRect(1080, 4680, 1680, 255),
            twipsRect(120, 4680, 900, 285),
            twipsRect(120, 5040, 4335, 315),
            twipsRect(4515, 5040, 900, 315),
        },
        {"Option1", twipsRect(240, 840, 1215, 255)},
        {"Option2", twipsRect(1560, 840, 855, 255)},
        {"Option5", twipsRect(2520, 840, 255, 255)},
        {"txtmod", twipsRect(2880, 840, 1215, 285)},
        {"Command12", twipsRect(4680, 2520, 735, 495)},
    };
    return layout;
}

const RtcwLayout &rtcwLayout()
{
    static const RtcwLayout layout {
        {
            {"Frame1", twipsRect(5640, 0, 5535, 4215)},
            {"Label10", twipsRect(1560, 240, 3615, 255)},
            {"Label6", twipsRect(120, 480, 1215, 255)},
            {"txtwolfdir", twipsRect(1320, 480, 3855, 285)},
            {"Command17", twipsRect(5160, 480, 255, 255)},
            // The design's "kp_up" is no key the games know: they call it kp_uparrow.
            {"Label8", twipsRect(120, 1200, 3255, 375)},
            QStringLiteral("Key to be bound to (eg space, kp_uparrow etc)"),
            {"txtwolfkey", twipsRect(3480, 1200, 1935, 285)},
            {"Label9", twipsRect(720, 2040, 1215, 255)},
            QStringLiteral("To Say"),
            Placed {"Frame3", twipsRect(1320, 1800, 4095, 855)},
            {"txtwolfsay", twipsRect(600, 240, 3495, 285)},
            {"Option6", twipsRect(360, 600, 1335, 255)},
            {"Option7", twipsRect(1440, 600, 1455, 255)},
            {"Command14", twipsRect(3600, 2520, 975, 495)},
            {"Command15", twipsRect(4560, 2520, 855, 495)},
            QStringLiteral("Make it Jazzeehh!"),
            {"Command25", "Command24", "Command23", "Command22", "Command21", "Command20", "Command19", "Command18"},
            true,
            {"Command13", twipsRect(120, 3360, 5295, 735)},
            false,
            // Bottom right, under this panel's half of the window.
            twipsRect(8535, 4680, 1650, 255),
            twipsRect(10245, 4680, 840, 285),
            twipsRect(5760, 5040, 4335, 315),
            twipsRect(10155, 5040, 900, 315),
        },
        {"Label7", twipsRect(120, 840, 5295, 255)},
        {"OptVoice", twipsRect(240, 1560, 255, 255)},
        {"CboVoice", twipsRect(720, 1560, 4695, 315)},
        {"OptSay", twipsRect(240, 2040, 255, 255)},
    };
    return layout;
}
