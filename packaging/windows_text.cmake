# Writes the template IN to OUT with Windows line ends, @VERSION@ set to VERSION and
# @KEYS_TEXT@ to the text of the file KEYS.
if(DEFINED KEYS)
  file(READ "${KEYS}" KEYS_TEXT)
  string(STRIP "${KEYS_TEXT}" KEYS_TEXT)
endif()
file(READ "${IN}" text)
string(CONFIGURE "${text}" text @ONLY)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
