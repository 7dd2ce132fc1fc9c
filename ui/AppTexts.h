#pragma once
// Texts of the desktop application that several windows share.

namespace pw::ui {

inline constexpr const char* kAppTitle = "Orvex Pagewright";
inline constexpr const char* kProductUrl = "https://pagewright.example.com/";
inline constexpr const char* kHelpUrl = "https://pagewright.example.com/help/";
inline constexpr const char* kSupportAddress = "support@pagewright.example.com";
inline constexpr const char* kSalesAddress = "sales@pagewright.example.com";
inline constexpr const char* kSingleInstanceName = "ORVEXPAGEWRIGHT1.0_EXE_RUNNING1";

inline constexpr const char* kWaitForRunning = "Please wait for the running process.";
inline constexpr const char* kStopToContinue = "Please stop the running process to continue the process.";
inline constexpr const char* kAskStop = "Are you sure to stop the running process?";
inline constexpr const char* kStopToClose = "Please stop the running process to close the application.";
inline constexpr const char* kAskClose = "Do you want to close the application?";
inline constexpr const char* kLogFilePathPrefix = "Log file path : ";
inline constexpr const char* kAnotherInstance = "Another instance of application is already running";
inline constexpr const char* kSelectFileCaption = "Select MDF database file to continue the recovery process.";
inline constexpr const char* kInitialCaption = "This is a caption bar where a message can be presented to the user.";

}  // namespace pw::ui
