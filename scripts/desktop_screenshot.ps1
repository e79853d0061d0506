# Saves a PNG of the whole desktop, for a CI job whose tests failed: a message box or the installer
# window that was left open shows there.
#   pwsh scripts/desktop_screenshot.ps1 <file.png>
param([Parameter(Mandatory = $true)][string]$Path)
Add-Type -AssemblyName System.Windows.Forms, System.Drawing
$screen = [System.Windows.Forms.SystemInformation]::VirtualScreen
$bitmap = New-Object System.Drawing.Bitmap $screen.Width, $screen.Height
$graphics = [System.Drawing.Graphics]::FromImage($bitmap)
$graphics.CopyFromScreen($screen.Left, $screen.Top, 0, 0, $bitmap.Size)
New-Item -ItemType Directory -Force -Path (Split-Path -Parent $Path) | Out-Null
$bitmap.Save($Path, [System.Drawing.Imaging.ImageFormat]::Png)
$graphics.Dispose()
$bitmap.Dispose()
