# Fails unless the shared library defines exactly the expected dynamic symbols.
execute_process(COMMAND nm -D --defined-only ${LIBRARY} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(found)
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]+ [A-Za-z] (.+)$")
    list(APPEND found ${CMAKE_MATCH_1})
  endif()
endforeach()
list(SORT found)
set(allowed
  IID_IUnknown
  _ZN5QvZin7IZinMgr13getZINVersionEv
  _ZN5QvZin7IZinMgr21getExtendedZinVersionEv
  _ZN5QvZin7IZinMgr9newZinMgrEPPS0_NS_11EVersionZINEPNS_12IZinFeedbackE
  _ZN5QvZin7IZinMgr17doImportReferenceEPS0_S1_i)
# Entry points that later files add: matched by prefix.
set(allowed_prefixes
  _ZN5QvZin7IZinMgr12checkFormat2
  _ZN5QvZin7IZinMgr12readFileInfo
  _ZN5QvZin7IZinMgr16readPreviewImage)
set(unexpected)
foreach(symbol IN LISTS found)
  list(FIND allowed ${symbol} index)
  if(index GREATER -1)
    continue()
  endif()
  set(matched FALSE)
  foreach(prefix IN LISTS allowed_prefixes)
    string(FIND "${symbol}" "${prefix}" at)
    if(at EQUAL 0)
      set(matched TRUE)
    endif()
  endforeach()
  if(NOT matched)
    list(APPEND unexpected ${symbol})
  endif()
endforeach()
foreach(symbol IN LISTS allowed)
  list(FIND found ${symbol} index)
  if(index EQUAL -1)
    message(FATAL_ERROR "missing export: ${symbol}")
  endif()
endforeach()
if(unexpected)
  message(FATAL_ERROR "unexpected exports: ${unexpected}")
endif()
message(STATUS "exports: ${found}")
