// The simulated printer of `pat-host simulate` and `pat-host demo` when no
// profile file is given.
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
  "zolt": {"memoryUsage": "USER", "other": "DUPLEX UNIT", "imageRotation": "POSSIBLE"}
}
)";
    return json;
}

Profile DefaultProfile() {
    Expected<Profile> profile = ParseProfile(DefaultProfileJson());
    if (!profile) throw std::logic_error("the built-in profile: " + profile.error().message);  // a bug of ours
    return std::move(*profile);
}

}  // namespace pathost::sim
