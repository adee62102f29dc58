#pragma once

#include <QString>

// Every text the program shows, in ten languages. Entries are named after
// their English wording and kept in table order; callers name the entry
// directly, there is no lookup by key at run time.
//
// Language numbers: 0 Dutch, 1 English, 2 German, 3 French, 4 Spanish,
// 5 Portuguese, 6 Italian, 7 Finnish, 8 Hungarian, 9 Turkish.
// A text may hold a carriage return (0x0D) and leading or trailing blanks
// that belong to it. Every text is representable in Windows-1252.

enum class TextId : int {
  Version,                                       // "Version "
  Updating,                                      // "updating "
  To,                                            // " to "
  Cancel,                                        // "cancel"
  Settings,                                      // "settings"
  CodeWheels,                                    // "code wheels"
  ShowHints,                                     // "show hints"
  Language,                                      // "language"
  Yes,                                           // "yes"
  No,                                            // "no"
  Location,                                      // "location"
  Country,                                       // "country"
  City,                                          // "city"
  SunRise,                                       // "sun rise"
  SunSet,                                        // "sun set"
  StandardTime,                                  // "standard time"
  DaylightSavingTime,                            // "daylight saving time"
  Load,                                          // "load"
  Save,                                          // "save"
  EastLongitude,                                 // "east longitude"
  WestLongitude,                                 // "west longitude"
  NorthLatitude,                                 // "north latitude"
  SouthLatitude,                                 // "south latitude"
  Attention,                                     // "Attention!"
  TheKLV820IsNotConnected,                       // "The KLV-820 is not connected"
  DeviceHasNoCode,                               // "Device has no code"
  SelectACityOrMyLocation,                       // "Select a city" + line break + "or 'my location'"
  SelectMyLocationUnderCityToChangeCoorditates,  // "Select 'my location' under -city-" + line break + "to
                                                 // change coorditates"
  MyLocation,                                    // "my location"
  PreviousConfiguration,                         // "previous configuration"
  Rooms,                                         // "rooms"
  Devices,                                       // "devices"
  Exit,                                          // "exit"
  OK,                                            // "OK"
  Extra,                                         // "extra"
  Scenes,                                        // "scenes"
  Timer,                                         // "timer"
  On,                                            // "on"
  DimValue,                                      // "dim value"
  Off,                                           // "off"
  DoubleClickToEdit,                             // "Double click to edit"
  NoDayDate,                                     // "<day/date>"
  NoMonth,                                       // "<month>"
  BeforeSunRise,                                 // " before sun rise"
  AfterSunRise,                                  // " after sun rise"
  BeforeSunSet,                                  // " before sun set"
  AfterSunSet,                                   // " after sun set"
  NoTime,                                        // "<time>"
  Between,                                       // "between "
  And,                                           // " and "
  Execute,                                       // "execute"
  Dim,                                           // "dim "
  Su,                                            // "Su "
  Mo,                                            // "Mo "
  Tu,                                            // "Tu "
  We,                                            // "We "
  Th,                                            // "Th "
  Fr,                                            // "Fr "
  Sa,                                            // "Sa "
  ProgramTimer,                                  // "program timer"
  TimerRooms,                                    // "timer: rooms"
  TimerDevices,                                  // "timer: devices"
  TimerScenes,                                   // "timer: scenes"
  DoubleClickToSetUpTimer,                       // "Double click to set up"
  DoubleClickForOtherDevice,                     // "Double click for other device"
  DoubleClickForOtherScene,                      // "Double click for other scene"
  HasBeenUpdated,                                // " has been updated"
  AndIsReadyForUse,                              // "and is ready for use"
  Back,                                          // "back"
  Command,                                       // "Command"
  WeekDays,                                      // "week days"
  Date,                                          // "date"
  EveryDay,                                      // "every day"
  Monday,                                        // "Monday"
  Tuesday,                                       // "Tuesday"
  Wednesday,                                     // "Wednesday"
  Thursday,                                      // "Thursday"
  Friday,                                        // "Friday"
  Satuday,                                       // "Satuday"
  Sunday,                                        // "Sunday"
  Month,                                         // "month"
  January,                                       // "January"
  February,                                      // "February"
  March,                                         // "March"
  April,                                         // "April"
  May,                                           // "May"
  June,                                          // "June"
  July,                                          // "July"
  August,                                        // "August"
  September,                                     // "September"
  October,                                       // "October"
  November,                                      // "November"
  December,                                      // "December"
  EveryMonth,                                    // "every month"
  MaximumNumberOfRandomActionsReached,           // "Maximum number of random actions reached"
  Time,                                          // "time"
  FixedTime,                                     // "fixed time"
  Random,                                        // "random"
  DayLight,                                      // "day light"
  Before,                                        // "before"
  After,                                         // "after"
  InvalidTime,                                   // "invalid time"
  Maximum1Hour,                                  // "+ maximum 1 hour"
  Minutes,                                       // "minutes"
  LearnCode,                                     // "learn code"
  StopLearning,                                  // "stop learning"
  DoubleClickToBrowseForPicture,                 // "Double click to browse for picture"
  CodeSwitchReceiver,                            // "code switch receiver"
  Dimmer,                                        // "dimmer"
  Code,                                          // "code"
  RoomImage,                                     // "room image"
  RoomDescription,                               // "room description"
  DeviceImage,                                   // "device image"
  DeviceDescription,                             // "device description"
  Delete,                                        // "delete"
  Scene,                                         // "scene"
  Description,                                   // "description"
  DoubleClickToSelect,                           // "Double click to select"
  SceneDevices,                                  // "scene: devices"
  SceneRooms,                                    // "scene: rooms"
  ScenesOverview,                                // "scenes overview"
  DoubleClickToSetUpScene,                       // "Double click to set up"
  Copy,                                          // "copy"
  Add,                                           // "add"
  Erasing,                                       // "Erasing "
  Programming,                                   // "Programming "
  WaitForReconnectionOf,                         // "Wait for reconnection of "
  ErrorErasing,                                  // "Error erasing"
  VerifyErrorAtAddress,                          // "Verify error at address: "
  UpdatingTo,                                    // "Updating to "
  AddressExcedesFlashSize,                       // "Address excedes flash size"
  FileCorruptChecksumError,                      // "File corrupt: Checksum error"
  SendToKLV,                                     // "Send to KLV"
  ChangesInEffectOnly,                           // "Changes in effect only"
  AfterClickingOn,                               // "after clicking on"
  Count
};

constexpr int LanguageCount = 10;
constexpr int TextCount = static_cast<int>(TextId::Count);

// The entry in the current language: the one the language source gives, or
// English while none is set.
QString GetText(TextId id);

// Sets where GetText(id) takes the current language from, asked on every
// call. The installation sets its own Language field as the source
// (core/model/LoadSave.cpp), so texts follow a change at once.
void SetTextLanguageSource(int (*source)());

// The entry in the given language, 0..9; any other number gives English.
QString GetText(TextId id, int language);

// The name of a language as the language choice list shows it.
QString LanguageName(int language);

// Texts added after the table above was closed: `klv820ctl texts` prints
// exactly the 135 entries of TextId. Same languages, same access. Some are
// only spoken: the accessible names of controls that show no text.
enum class MoreTextId : int {
  Week,      // "week"
  All,       // "all"
  Drive,     // "drive"
  Folder,    // "folder"
  Pictures,  // "pictures"
  Preview,   // "preview"
  ChangesNotSaved,    // "The last changes were not saved."
  RestoreThem,        // "Restore them?"
  FileDamaged,        // "Damaged file, copy kept:"
  TooManyTries,       // "The box stays in its loader."
  UpdateGivenUp,      // "Update stopped after 3 tries."
  Sent,                    // "sent"
  PutReceiverInLearnMode,  // "Put the receiver in learning mode"
  DoubleClickToAddRoom,    // "Double-click to add a room"
  PageOf,                  // "page %1 of %2"
  // Messages of the settings screen.
  BadSetName,     // "This name cannot be used for a settings set:"
  NameEmpty,      // "Type a name first"
  NameReserved,   // "The system reserves this name"
  NameCharacter,  // "Not allowed in a name: %1"
  NameTrailing,   // "A name may not end with a dot or a blank"
  NameTooLong,    // "At most %1 characters"
  SetIncomplete,  // "This settings set is incomplete:"
  FileMissing,    // "%1 is missing"
  NoSuchSet,      // "There is no settings set named"
  LoadFailed,     // "Loading failed, nothing was changed:"
  StoreFailed,    // "Storing the settings set failed:"
  CouldNotSave,   // "Could not save:"
  // The exit sequence's failed-save question.
  TryAgain,  // "try again"
  // A box that is there but cannot be used; %1 the product name, %2 the reason.
  BoxNoPermission,  // "The %1 is connected but may not be opened by this user ..."
  BoxOpenFailed,    // "The %1 is connected but could not be opened: %2"
  // %1 the file name, %2 the reason.
  CannotLoadPicture,  // "Cannot load picture "%1": %2"
  // Spoken names on the timer screens: "dim up", "dim down", "hour", "minute",
  // "entries above", "entries below", "line %1"; the box clock button "clock".
  DimUp, DimDown, Hour, Minute, EntriesAbove, EntriesBelow, Line, Clock,
  Count
};

constexpr int MoreTextCount = static_cast<int>(MoreTextId::Count);

// In the installation's current language.
QString GetText(MoreTextId id);
// In the given language, 0..9; any other number gives English.
QString GetText(MoreTextId id, int language);
