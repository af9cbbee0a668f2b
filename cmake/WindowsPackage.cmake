# SPDX-License-Identifier: MIT
# What a Windows user downloads: `cmake --build --preset windows --target windows_package`
# (`make windows-package`) runs packaging/windows/make-packages on the release pemdra.exe
# into build/windows/package (x64, or x86 from the windows-i686 preset): the per-user
# installer, the portable zip, the MSI, SHA256SUMS and the winget and Scoop manifests.
# `make release` runs it on both. PEMDRA_RELEASE_URL (here or in the
# environment) is where the files will be published, for the manifests; signing follows
# PEMDRA_SIGN_CERT and PEMDRA_SIGN_KEY in the environment.

set(PEMDRA_RELEASE_URL "" CACHE STRING
    "The folder the Windows packages will be published in (https://...), for the manifests")
set(PEMDRA_WINDOWS_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package)

if(CMAKE_HOST_UNIX)
  add_custom_target(windows_package
    COMMAND ${PROJECT_SOURCE_DIR}/packaging/windows/make-packages ${PROJECT_SOURCE_DIR}
            ${PEMDRA_WINDOWS_PACKAGE_DIR} ${PEMDRA_DISPLAY_VERSION} ${PEMDRA_NUMERIC_VERSION}
            "${PEMDRA_RELEASE_URL}" $<TARGET_FILE:pemdra>
    DEPENDS pemdra
    COMMENT "Making the Windows packages in ${PEMDRA_WINDOWS_PACKAGE_DIR}"
    USES_TERMINAL
    VERBATIM)
endif()
