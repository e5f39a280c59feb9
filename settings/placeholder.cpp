// SPDX-License-Identifier: MIT
// placeholder until the folder has code
namespace nestora {}
