# Copies the shipped non-database files into the program folder:
# the report templates and the help document. Database files are made by makedb.
file(GLOB templates "${SRC}/Report/*")
foreach(t ${templates})
    file(COPY "${t}" DESTINATION "${DEST}/Report")
endforeach()
foreach(f WageloomSlim.html splash.png)
    if(EXISTS "${SRC}/${f}")
        file(COPY "${SRC}/${f}" DESTINATION "${DEST}")
    endif()
endforeach()
