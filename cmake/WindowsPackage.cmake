# SPDX-License-Identifier: MIT
# What a Windows user downloads: `cmake --build --preset windows --target windows_package`
# (`make windows-package`) runs packaging/windows/make-packages on the release pemdra.exe
# into build/windows/package: the per-user installer, the portable zip, the MSI,
# SHA256SUMS and the winget and Scoop manifests. PEMDRA_RELEASE_URL (here or in the
# environment) is where the files will be published, for the manifests; signing follows
# PEMDRA_SIGN_CERT and PEMDRA_SIGN_KEY in the environment.

set(PEMDRA_RELEASE_URL "" CACHE STRING
    "The folder the Windows packages will be published in (https://...), for the manifests")
set(PEMDRA_WINDOWS_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package)

if(CMAKE_HOST_UNIX)
  add_custom_target(windows_package
    COMMAND ${PROJECT_SOURCE_DIR}/packaging/windows/make-packages $<TARGET_FILE:pemdra>
            ${PROJECT_SOURCE_DIR} ${PEMDRA_WINDOWS_PACKAGE_DIR} ${PEMDRA_DISPLAY_VERSION}
            ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0 "${PEMDRA_RELEASE_URL}"
    DEPENDS pemdra
    COMMENT "Making the Windows packages in ${PEMDRA_WINDOWS_PACKAGE_DIR}"
    USES_TERMINAL
    VERBATIM)
endif()
