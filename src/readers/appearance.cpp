#include "readers/appearance.h"

#include <array>

#include "registry/registry.h"

namespace tw {
namespace {

constexpr const char* kCursorSchemesKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes";
constexpr const char* kCursorsKey = "Control Panel\\Cursors";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kWindowMetricsKey = "Control Panel\\Desktop\\WindowMetrics";

struct LabelledValue {
  const char* label;
  const char* source; // the value name (cursors) or the key path (sounds)
};

// The first row is the key's default value: the name of the current scheme.
constexpr std::array<LabelledValue, 16> kCursors = {{
    {"[ Current Scheme ]", ""},
    {"Normal Select", "Arrow"},
    {"Help Select", "Help"},
    {"Working in Background", "AppStarting"},
    {"Busy", "Wait"},
    {"Precision Select", "Crosshair"},
    {"Text Select", "IBeam"},
    {"Handwriting", "NWPen"},
    {"Unavailable", "No"},
    {"Vertical Resize", "SizeNS"},
    {"Horizontal Resize", "SizeWE"},
    {"Diagonal Resize 1", "SizeNWSE"},
    {"Diagonal Resize 2", "SizeNESW"},
    {"Move", "SizeAll"},
    {"Alternate Select", "UpArrow"},
    {"Link Select", "Hand"},
}};

// The default value of each key is the sound file of the event in the current scheme. The
// last components are spelled as the keys are known, ".Current" or ".current".
constexpr std::array<LabelledValue, 50> kSounds = {{
    {"Windows - Asterisk", "AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\.Current"},
    {"Windows - Close Program", "AppEvents\\Schemes\\Apps\\.Default\\Close\\.Current"},
    {"Windows - Critical Battery Alarm",
     "AppEvents\\Schemes\\Apps\\.Default\\CriticalBatteryAlarm\\.Current"},
    {"Windows - Critical Stop", "AppEvents\\Schemes\\Apps\\.Default\\SystemHand\\.Current"},
    {"Windows - Default Beep", "AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current"},
    {"Windows - Device Connect", "AppEvents\\Schemes\\Apps\\.Default\\DeviceConnect\\.Current"},
    {"Windows - Device Disconnect",
     "AppEvents\\Schemes\\Apps\\.Default\\DeviceDisconnect\\.Current"},
    {"Windows - Device Failed to Connect",
     "AppEvents\\Schemes\\Apps\\.Default\\DeviceFail\\.Current"},
    {"Windows - Exclamation", "AppEvents\\Schemes\\Apps\\.Default\\SystemExclamation\\.Current"},
    {"Windows - Exit Windows", "AppEvents\\Schemes\\Apps\\.Default\\SystemExit\\.Current"},
    {"Windows - Low Battery Alarm",
     "AppEvents\\Schemes\\Apps\\.Default\\LowBatteryAlarm\\.Current"},
    {"Windows - Maximize", "AppEvents\\Schemes\\Apps\\.Default\\Maximize\\.Current"},
    {"Windows - Menu Command", "AppEvents\\Schemes\\Apps\\.Default\\MenuCommand\\.Current"},
    {"Windows - Menu Popup", "AppEvents\\Schemes\\Apps\\.Default\\MenuPopup\\.Current"},
    {"Windows - Minimize", "AppEvents\\Schemes\\Apps\\.Default\\Minimize\\.Current"},
    {"Windows - New Mail Notification", "AppEvents\\Schemes\\Apps\\.Default\\MailBeep\\.Current"},
    {"Windows - Open Program", "AppEvents\\Schemes\\Apps\\.Default\\Open\\.Current"},
    {"Windows - Print Complete", "AppEvents\\Schemes\\Apps\\.Default\\PrintComplete\\.Current"},
    {"Windows - Program Error", "AppEvents\\Schemes\\Apps\\.Default\\AppGPFault\\.Current"},
    {"Windows - Question", "AppEvents\\Schemes\\Apps\\.Default\\SystemQuestion\\.Current"},
    {"Windows - Restore Down", "AppEvents\\Schemes\\Apps\\.Default\\RestoreDown\\.Current"},
    {"Windows - Restore Up", "AppEvents\\Schemes\\Apps\\.Default\\RestoreUp\\.Current"},
    {"Windows - Select", "AppEvents\\Schemes\\Apps\\.Default\\CCSelect\\.current"},
    {"Windows - Show Toolbar Band", "AppEvents\\Schemes\\Apps\\.Default\\ShowBand\\.current"},
    {"Windows - Start Windows", "AppEvents\\Schemes\\Apps\\.Default\\SystemStart\\.Current"},
    {"Windows - System Notification",
     "AppEvents\\Schemes\\Apps\\.Default\\SystemNotification\\.Current"},
    {"Windows - Windows Logoff", "AppEvents\\Schemes\\Apps\\.Default\\WindowsLogoff\\.Current"},
    {"Windows - Windows Logon", "AppEvents\\Schemes\\Apps\\.Default\\WindowsLogon\\.Current"},
    {"NetMeeting - Person Joins", "AppEvents\\Schemes\\Apps\\Conf\\Person Joins\\.Current"},
    {"NetMeeting - Person Leaves", "AppEvents\\Schemes\\Apps\\Conf\\Person Leaves\\.Current"},
    {"NetMeeting - Receive Call", "AppEvents\\Schemes\\Apps\\Conf\\Receive Call\\.Current"},
    {"NetMeeting - Receive Request to Join",
     "AppEvents\\Schemes\\Apps\\Conf\\Receive Request to Join\\.Current"},
    {"Windows Explorer - Blocked Pop-up Window",
     "AppEvents\\Schemes\\Apps\\Explorer\\BlockedPopup\\.current"},
    {"Windows Explorer - Complete Navigation",
     "AppEvents\\Schemes\\Apps\\Explorer\\ActivatingDocument\\.current"},
    {"Windows Explorer - Empty Recycle Bin",
     "AppEvents\\Schemes\\Apps\\Explorer\\EmptyRecycleBin\\.Current"},
    {"Windows Explorer - Feed Discovered",
     "AppEvents\\Schemes\\Apps\\Explorer\\FeedDiscovered\\.current"},
    {"Windows Explorer - Information Bar",
     "AppEvents\\Schemes\\Apps\\Explorer\\SecurityBand\\.current"},
    {"Windows Explorer - Move Menu Item",
     "AppEvents\\Schemes\\Apps\\Explorer\\MoveMenuItem\\.current"},
    {"Windows Explorer - Search Provider Discovered",
     "AppEvents\\Schemes\\Apps\\Explorer\\SearchProviderDiscovered\\.current"},
    {"Windows Explorer - Start Navigation",
     "AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.current"},
    {"Microsoft Developer - Breakpoint Hit",
     "AppEvents\\Schemes\\Apps\\MSDev\\MSVC_HitBP\\.current"},
    {"Microsoft Developer - Build Complete",
     "AppEvents\\Schemes\\Apps\\MSDev\\BuildComplete\\.current"},
    {"Microsoft Developer - Build Error", "AppEvents\\Schemes\\Apps\\MSDev\\BuildError\\.current"},
    {"Microsoft Developer - Build Warning",
     "AppEvents\\Schemes\\Apps\\MSDev\\BuildWarning\\.current"},
    {"Microsoft Developer - Error in Output",
     "AppEvents\\Schemes\\Apps\\MSDev\\MSVC_OutputError\\.current"},
    {"Microsoft Developer - Warning in Output",
     "AppEvents\\Schemes\\Apps\\MSDev\\MSVC_OutputWarning\\.current"},
    {"Windows Messenger - Contact Online",
     "AppEvents\\Schemes\\Apps\\MSMSGS\\MSMSGS_ContactOnline\\.Current"},
    {"Windows Messenger - New Alert",
     "AppEvents\\Schemes\\Apps\\MSMSGS\\MSMSGS_NewAlert\\.Current"},
    {"Windows Messenger - New Mail", "AppEvents\\Schemes\\Apps\\MSMSGS\\MSMSGS_NewMail\\.Current"},
    {"Windows Messenger - New Message",
     "AppEvents\\Schemes\\Apps\\MSMSGS\\MSMSGS_NewMessage\\.Current"},
}};

} // namespace

std::string WallpaperStyleLabel(std::string_view wallpaperStyle, std::string_view tileWallpaper) {
  if (wallpaperStyle == "0" && tileWallpaper == "1")
    return "Tile";
  if (wallpaperStyle == "0" && tileWallpaper == "0")
    return "Center";
  if (wallpaperStyle == "2" && tileWallpaper == "0")
    return "Stretch";
  return std::string();
}

void ReadCursorSchemes(ReaderContext& ctx) {
  ctx.ListValueRows(reg::kLocalMachine, kCursorSchemesKey, vlNameValue);
}

void ReadCursors(ReaderContext& ctx) {
  for (const LabelledValue& cursor : kCursors)
    ctx.Add(cursor.label, ReadUserString(kCursorsKey, cursor.source),
            {reg::kCurrentUser, kCursorsKey});
}

void ReadDesktop(ReaderContext& ctx) {
  const RegKey cu = reg::kCurrentUser;
  const RowKey desktop{cu, kDesktopKey};
  const RowKey metrics{cu, kWindowMetricsKey};
  ctx.Add("Wallpaper", ReadRegString(cu, kDesktopKey, "Wallpaper"), desktop);
  ctx.Add("Wallpaper - Original", ReadRegString(cu, kDesktopKey, "OriginalWallpaper"), desktop);
  ctx.Add("Wallpaper - Converted", ReadRegString(cu, kDesktopKey, "ConvertedWallpaper"),
          desktop);
  ctx.Add("Paint Desktop Version", ReadRegFlag(cu, kDesktopKey, "PaintDesktopVersion"), desktop);
  ctx.Add("Screen Saver is Active", ReadRegFlag(cu, kDesktopKey, "ScreenSaveActive"), desktop);
  ctx.Add("Screen Saver is Secure", ReadRegFlag(cu, kDesktopKey, "ScreenSaverIsSecure"),
          desktop);
  ctx.Add("Screen Saver Time Out",
          ReadRegString(cu, kDesktopKey, "ScreenSaveTimeOut") + " Second(s)", desktop);
  ctx.Add("Wallpaper Style",
          WallpaperStyleLabel(ReadRegString(cu, kDesktopKey, "WallpaperStyle"),
                              ReadRegString(cu, kDesktopKey, "TileWallpaper")),
          desktop);
  ctx.Add("Icon Size", ReadRegString(cu, kWindowMetricsKey, "Shell Icon Size"), metrics);
  ctx.Add("Icon BPP", ReadRegString(cu, kWindowMetricsKey, "Shell Icon BPP"), metrics);
}

void ReadSounds(ReaderContext& ctx) {
  for (const LabelledValue& sound : kSounds)
    ctx.Add(sound.label, ReadUserString(sound.source, ""), {reg::kCurrentUser, sound.source});
}

} // namespace tw
