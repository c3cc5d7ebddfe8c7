// The built-in simulated printers: the PJL printer of `pat-host simulate` and
// `pat-host demo` when no profile file is given, and a colour printer that
// speaks no PJL, known only through its SNMP agent.
#include "simulator/profile.h"

#include <stdexcept>

namespace pathost::sim {

const std::string &DefaultProfileJson() {
    static const std::string json = R"({
  "maker": "Acme",
  "model": "Acme Model 4200",
  "description": "Acme Model 4200 monochrome laser printer",
  "commandSet": ["PJL", "PCL", "ZOLT"],
  "status": {"codes": [10001], "state": 1, "text": "Ready to print"},
  "pageCount": 48213,
  "supplies": [80, 35],
  "memoryBytes": 268435456,
  "versions": [
    {"name": "FIRMWARE", "version": "2.14.1"},
    {"name": "VORD", "version": "1.05"},
    {"name": "ZOLT", "version": "3.00"},
    {"name": "HPGL2", "version": "1.20"}
  ],
  "trays": [
    {"name": "INTRAY1", "paper": "A4SRT", "level": 100, "locked": false},
    {"name": "INTRAY2", "paper": "LETTERSRT", "level": 60, "locked": true},
    {"name": "INTRAY3", "paper": "A3", "level": 20, "locked": false, "attribute": "STANDARD"},
    {"name": "INTRAYLCT", "paper": "A4SRT", "level": 80, "locked": false, "attribute": "STANDARD"},
    {"name": "INTRAYMANUAL", "paper": "A5LONG", "level": 0, "locked": false}
  ],
  "bins": [
    {"name": "UPPER", "state": "READY"},
    {"name": "LOWER", "state": "PAPEREXIST"},
    {"name": "FINISHERSHIFT", "state": "FULL"}
  ],
  "punch": [],
  "markingType": "COPYGUARD",
  "functionPackage": "ACTIVATE",
  "zolt": {"memoryUsage": "USER", "other": "DUPLEX UNIT", "imageRotation": "POSSIBLE"},
  "printerMib": {
    "printerName": "Acme Model 4200",
    "serialNumber": "ACM4200-000123",
    "deviceStatus": 3,
    "printerStatus": 3,
    "detectedErrors": [12, 13],
    "inputs": [
      {"name": "Tray 1", "dimUnit": 4, "feed": 297000, "crossFeed": 210000, "capacityUnit": 8,
       "maxCapacity": 500, "level": 500, "status": 0, "mediaName": "A4", "mediaType": "stationery"},
      {"name": "Tray 2", "dimUnit": 3, "feed": 110000, "crossFeed": 85000, "capacityUnit": 8,
       "maxCapacity": 500, "level": 300, "status": 2, "mediaName": "Letter", "mediaType": "stationery"},
      {"name": "Tray 3", "dimUnit": 4, "feed": 420000, "crossFeed": 297000, "capacityUnit": 8,
       "maxCapacity": 250, "level": 50, "status": 0, "mediaName": "A3", "mediaType": "stationery"},
      {"name": "Large capacity tray", "dimUnit": 4, "feed": 297000, "crossFeed": 210000, "capacityUnit": 8,
       "maxCapacity": 2000, "level": 1600, "status": 0, "mediaName": "A4", "mediaType": "stationery"},
      {"name": "Manual feed", "dimUnit": 4, "feed": 210000, "crossFeed": 148000, "capacityUnit": 8,
       "maxCapacity": 100, "level": 0, "status": 8, "mediaName": "A5", "mediaType": "stationery"}
    ],
    "outputs": [
      {"name": "Upper", "maxCapacity": 250, "remaining": 250, "status": 0},
      {"name": "Lower", "maxCapacity": 250, "remaining": 150, "status": 0},
      {"name": "Finisher shift tray", "maxCapacity": 1000, "remaining": 0, "status": 16}
    ],
    "supplies": [
      {"description": "Black Toner Cartridge", "colour": "black", "class": 3, "type": 3, "unit": 19,
       "maxCapacity": 100, "level": 80},
      {"description": "Drum Unit", "class": 3, "type": 9, "unit": 19, "maxCapacity": 100, "level": 35},
      {"description": "Waste Toner Box", "class": 4, "type": 4, "unit": 19, "maxCapacity": -2, "level": -3}
    ],
    "alerts": [
      {"severity": 4, "group": 8, "location": 5, "code": 808, "description": "Manual feed is empty"},
      {"severity": 3, "group": 9, "location": 3, "code": 903, "description": "Finisher shift tray is full"}
    ],
    "interpreters": [
      {"family": 3, "version": "5e"},
      {"family": 5, "version": "1.0"},
      {"family": 6, "version": "3"}
    ]
  }
}
)";
    return json;
}

namespace {

// Four trays in both RFC units, one at "at least one sheet" and one empty;
// four toners with their colourants and a waste receptacle; a toner low.
// Its device ID, like many, carries no status: the alerts are its engine
// statuses.
const std::string &PclColourProfileJson() {
    static const std::string json = R"({
  "maker": "Acme",
  "model": "Acme Colour 700",
  "description": "Acme Colour 700 colour laser printer",
  "commandSet": ["PCL", "PCLXL", "PWGRASTER"],
  "deviceId": "MFG:Acme;CMD:PCL,PCLXL,PWGRASTER;MDL:Acme Colour 700;CLS:PRINTER;DES:Acme Colour 700 colour laser printer;",
  "pageCount": 125730,
  "memoryBytes": 536870912,
  "trays": [],
  "bins": [],
  "printerMib": {
    "printerName": "Acme Colour 700",
    "serialNumber": "ACC700-004711",
    "deviceStatus": 3,
    "printerStatus": 3,
    "detectedErrors": [2],
    "inputs": [
      {"name": "Bypass tray", "dimUnit": 4, "feed": 297000, "crossFeed": 210000, "capacityUnit": 8,
       "maxCapacity": 100, "level": -3, "status": 0, "mediaName": "A4", "mediaType": "stationery"},
      {"name": "Tray 1", "dimUnit": 3, "feed": 110000, "crossFeed": 85000, "capacityUnit": 8,
       "maxCapacity": 550, "level": 400, "status": 0, "mediaName": "Letter", "mediaType": "stationery"},
      {"name": "Tray 2", "dimUnit": 4, "feed": 297000, "crossFeed": 210000, "capacityUnit": 8,
       "maxCapacity": 550, "level": 110, "status": 0, "mediaName": "A4", "mediaType": "stationery"},
      {"name": "Tray 3", "dimUnit": 4, "feed": 420000, "crossFeed": 297000, "capacityUnit": 8,
       "maxCapacity": 550, "level": 0, "status": 8, "mediaName": "A3", "mediaType": "stationery"}
    ],
    "outputs": [
      {"name": "Face-down tray", "maxCapacity": 500, "remaining": 320, "status": 0},
      {"name": "Face-up tray", "maxCapacity": 100, "remaining": 0, "status": 16}
    ],
    "supplies": [
      {"description": "Cyan Toner", "colour": "cyan", "class": 3, "type": 3, "unit": 19, "maxCapacity": 100, "level": 62},
      {"description": "Magenta Toner", "colour": "magenta", "class": 3, "type": 3, "unit": 19, "maxCapacity": 100, "level": 41},
      {"description": "Yellow Toner", "colour": "yellow", "class": 3, "type": 3, "unit": 19, "maxCapacity": 100, "level": 7},
      {"description": "Black Toner", "colour": "black", "class": 3, "type": 3, "unit": 19, "maxCapacity": 100, "level": 88},
      {"description": "Waste Toner Box", "class": 4, "type": 4, "unit": 19, "maxCapacity": -2, "level": -3}
    ],
    "alerts": [
      {"severity": 4, "group": 11, "location": 3, "code": 1104, "description": "Yellow toner low"},
      {"severity": 3, "group": 8, "location": 4, "code": 808, "description": "Tray 3 is empty"}
    ],
    "interpreters": [
      {"family": 3, "version": "5c"},
      {"family": 47, "version": "3.0"}
    ]
  }
}
)";
    return json;
}

Profile Parsed(const char *name, const std::string &json) {
    Expected<Profile> profile = ParseProfile(json);
    if (!profile) throw std::logic_error(std::string("the built-in profile ") + name + ": " + profile.error().message);  // a bug of ours
    return std::move(*profile);
}

}  // namespace

Profile DefaultProfile() { return Parsed("mono-pjl", DefaultProfileJson()); }

const std::vector<std::string> &BuiltInProfileNames() {
    static const std::vector<std::string> names = {"mono-pjl", "pcl-colour"};
    return names;
}

const std::string *BuiltInProfileJson(std::string_view name) {
    if (name == "mono-pjl") return &DefaultProfileJson();
    if (name == "pcl-colour") return &PclColourProfileJson();
    return nullptr;
}

}  // namespace pathost::sim
