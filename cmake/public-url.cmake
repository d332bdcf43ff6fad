# The page's public address, for its preview card: public_url(OUT ADDRESS) sets OUT to the address
# ending in "/", or stops the configure. The page carries it inside attributes, and a chat app
# fetches what it names: only an http(s) address of a host and a path will do, no user, query or
# fragment, no quote, angle bracket, space or control character, and not absurdly long.
# cmake -DWAVEGRID_PUBLIC_URL=ADDRESS -P cmake/public-url.cmake checks one alone.
function(public_url out address)
  string(LENGTH "${address}" length)
  string(REGEX REPLACE "([^/])$" "\\1/" url "${address}")
  if(length GREATER 1000 OR NOT url MATCHES "^https?://[A-Za-z0-9.-]+(:[0-9]+)?/[A-Za-z0-9._~!$()*+,;=:@%/-]*$")
    message(FATAL_ERROR "WAVEGRID_PUBLIC_URL: not an http(s) address the page can carry: ${address}")
  endif()
  set(${out} "${url}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  public_url(url "${WAVEGRID_PUBLIC_URL}")
endif()
