# Installs the release zip through winget and Scoop the way a user would, on a throwaway Windows
# account run as administrator (a GitHub runner), and checks what each leaves where:
#   scripts/package_managers_trial.ps1 -Zip <tidyreel-a.b.c.d-win64.zip> -Probe <tidyreel_probe.exe> -RepoDir <repo>
# The manifests are rendered by scripts/make_manifests.sh (through Git's bash) for the zip served
# from this machine (python -m http.server on 127.0.0.1), and for a second test version a.b.c.(d+1):
# the same files with README.txt changed, so that the zips differ and an upgrade can be told apart.
# tidyreel_probe.exe drives the sorting runs (TIDYREEL_EXE names which copy) and answers the summary
# box; the installer window is read and clicked through UI Automation.
# A failed step ends its package manager's part (the other one still runs, from a clean state);
# the script then exits 1. Works in Windows PowerShell 5.1 and in pwsh.
param(
    [Parameter(Mandatory = $true)] [string] $Zip,
    [Parameter(Mandatory = $true)] [string] $Probe,
    [Parameter(Mandatory = $true)] [Alias('Repo')] [string] $RepoDir
)

$ErrorActionPreference = 'Stop'
$ProgressPreference = 'SilentlyContinue'

$VerbKey = 'HKCU:\SOFTWARE\Classes\Directory\shell\QuillmoorsTidyreel'
$OwnKey = 'HKCU:\SOFTWARE\Quillmoor\Tidyreel'
$WingetPackages = Join-Path $env:LOCALAPPDATA 'Microsoft\WinGet\Packages'
$WingetLinks = Join-Path $env:LOCALAPPDATA 'Microsoft\WinGet\Links'
$WingetAgree = @('--accept-package-agreements', '--accept-source-agreements', '--disable-interactivity')

# The settings file the program writes when it finds none, byte for byte (ANSI, CR LF).
$DefaultIni = "[Patterns]`r`nLimit=11`r`n0=480p`r`n1=576p`r`n2=720p`r`n3=1080p`r`n4=2160p`r`n5=XviD`r`n" +
    "6=HEVC`r`n7=Rerip`r`n8=BDrip`r`n9=AAC`r`n10=DVDRip`r`n11=PDTV`r`n"
# The user's edit: one tag more. The edited sample below is sorted differently with it.
$EditedIni = $DefaultIni.Replace('Limit=11', 'Limit=12') + "12=WEB-DL`r`n"

# Episode file => the season folder it must end in; each sample also holds a README.txt that stays.
$Episodes = @{
    'Show.Name.S01E01.Pilot.720p.HDTV.x264-GRP.mkv'  = 'Show.Name.S01.720p.HDTV.x264-GRP'
    'Show.Name.S01E02.Second.720p.HDTV.x264-GRP.mkv' = 'Show.Name.S01.720p.HDTV.x264-GRP'
    'Another.Show.s03e07.Title.PDTV.XviD-TEAM.avi'   = 'Another.Show.s03.PDTV.XviD-TEAM'
}
# With the default tags this would go to Edit.Show.S02.Some.Title.WEB-DL.x264.
$EditedEpisodes = @{ 'Edit.Show.S02E01.Some.Title.WEB-DL.x264.mkv' = 'Edit.Show.S02.WEB-DL.x264' }

$script:Summary = New-Object System.Collections.Generic.List[string]
$script:Failed = $false
$script:Server = $null

# --- helpers ----------------------------------------------------------------------------------

function Fail([string] $Expected, [string] $Found) {
    throw "expected $Expected; found $Found"
}

function Step([string] $Name, [scriptblock] $Body) {
    Write-Host ''
    Write-Host "== $Name"
    try {
        & $Body
    } catch {
        $script:Summary.Add("FAIL  $Name`r`n        $($_.Exception.Message)")
        throw
    }
    $script:Summary.Add("ok    $Name")
}

# A failure that the next checks can still go past: reported and counted, without ending the part.
function Add-Failure([string] $Text) {
    Write-Host "!! $Text"
    $script:Summary.Add("FAIL  $Text")
    $script:Failed = $true
}

function Note([string] $Text) {
    Write-Host "    $Text"
    $script:Summary.Add("      $Text")
}

# A native program's output lines (stderr included, never turned into errors) and exit code.
function Invoke-Native([string] $Exe, [string[]] $Arguments) {
    $saved = $ErrorActionPreference
    $ErrorActionPreference = 'Continue'
    try {
        $lines = @(& $Exe @Arguments 2>&1 | ForEach-Object { "$_" })
        $code = $LASTEXITCODE
    } finally {
        $ErrorActionPreference = $saved
    }
    $lines | ForEach-Object { Write-Host "    | $_" }
    [pscustomobject]@{ ExitCode = $code; Lines = $lines; Trimmed = @($lines | ForEach-Object { $_.Trim() }) }
}

function Invoke-Probe([string] $Exe, [string[]] $Arguments) {
    $saved = $env:TIDYREEL_EXE
    $env:TIDYREEL_EXE = $Exe
    try {
        $run = Invoke-Native $script:ProbeExe $Arguments
    } finally {
        $env:TIDYREEL_EXE = $saved
    }
    if ($run.Trimmed -contains 'did not end in time') {
        Fail "$Exe $($Arguments -join ' ') to end" 'that it did not end in time'
    }
    $run
}

# The exact bytes of a file, as a string of the same length (Latin-1 maps each byte to a character).
function Read-Bytes([string] $Path) {
    [Text.Encoding]::GetEncoding(28591).GetString([IO.File]::ReadAllBytes($Path))
}

# Writes in place (the file is truncated, not replaced), as Notepad does: a hard link stays a link.
function Write-Bytes([string] $Path, [string] $Text) {
    [IO.File]::WriteAllBytes($Path, [Text.Encoding]::GetEncoding(28591).GetBytes($Text))
}

function Show-Bytes([string] $Text) {
    $Text.Replace("`r", '\r').Replace("`n", '\n')
}

function Assert-FileText([string] $Path, [string] $Expected, [string] $What) {
    if (-not (Test-Path -LiteralPath $Path -PathType Leaf)) {
        $found = if (Test-Path -LiteralPath $Path) { 'a folder' } else { 'nothing' }
        Fail "$What as the file $Path" $found
    }
    $text = Read-Bytes $Path
    if ($text -cne $Expected) {
        Fail "$What $Path to hold '$(Show-Bytes $Expected)'" "'$(Show-Bytes $text)'"
    }
}

function Assert-File([string] $Path, [string] $What) {
    if (-not (Test-Path -LiteralPath $Path -PathType Leaf)) { Fail "$What $Path" 'no such file' }
}

function Get-Sha256([string] $Path) {
    (Get-FileHash -LiteralPath $Path -Algorithm SHA256).Hash.ToLowerInvariant()
}

# --- the Explorer entry -----------------------------------------------------------------------

function Get-ContextVerb {
    $key = Get-Item -LiteralPath $VerbKey -ErrorAction SilentlyContinue
    if (-not $key) { return $null }
    $command = Get-Item -LiteralPath "$VerbKey\command" -ErrorAction SilentlyContinue
    $line = if ($command) { $command.GetValue('') } else { $null }
    $exe = if ($line -match '^"([^"]+)" "%1"$') { $Matches[1] } else { $null }
    [pscustomobject]@{ Caption = $key.GetValue(''); Command = $line; Exe = $exe }
}

function Get-Record {
    $key = Get-Item -LiteralPath $OwnKey -ErrorAction SilentlyContinue
    if ($key) { $key.GetValue('') } else { $null }
}

function Get-LinkTarget([string] $Path) {
    (New-Object -ComObject WScript.Shell).CreateShortcut($Path).TargetPath
}

function Assert-Verb([string] $Exe, [string] $Caption) {
    $verb = Get-ContextVerb
    if (-not $verb) { Fail "the context verb '$Caption' running $Exe" 'no verb' }
    if ($verb.Exe -ne $Exe -or $verb.Caption -cne $Caption) {
        Fail "the verb '$Caption' with the command `"$Exe`" `"%1`"" "'$($verb.Caption)' with $($verb.Command)"
    }
    Assert-File $verb.Exe "the verb's program"
}

function Assert-NoEntries([string] $When) {
    $verb = Get-ContextVerb
    if ($verb) { Fail "no context verb $When" "'$($verb.Caption)' running $($verb.Command)" }
    $record = Get-Record
    if ($record) { Fail "no recorded SendTo shortcut $When" $record }
}

# After a failed part: remove what it left, so that the next part starts clean.
function Clear-Entries {
    $record = Get-Record
    if ($record -and $record.EndsWith('.lnk') -and (Test-Path -LiteralPath $record -PathType Leaf)) {
        Remove-Item -LiteralPath $record -Force
    }
    foreach ($key in $VerbKey, $OwnKey) {
        if (Test-Path -LiteralPath $key) { Remove-Item -LiteralPath $key -Recurse -Force }
    }
}

# --- the installer window ---------------------------------------------------------------------

# The window is read and worked through UI Automation, Windows' own interface for driving another
# program's controls, as assistive tools do: it needs no active window and no foreground rights.
Add-Type -AssemblyName UIAutomationClient
Add-Type -AssemblyName UIAutomationTypes
$Uia = [System.Windows.Automation.AutomationElement]

function Open-InstallerWindow([string] $Exe) {
    $process = Start-Process -FilePath $Exe -PassThru
    $ofProcess = New-Object System.Windows.Automation.PropertyCondition($Uia::ProcessIdProperty, $process.Id)
    $deadline = (Get-Date).AddSeconds(30)
    do {
        Start-Sleep -Milliseconds 200
        $window = $Uia::RootElement.FindFirst([System.Windows.Automation.TreeScope]::Children, $ofProcess)
    } until (($window -and $window.Current.ClassName -eq 'Quillmoors_UI_CLASS') -or (Get-Date) -gt $deadline)
    if (-not $window -or $window.Current.ClassName -ne 'Quillmoors_UI_CLASS') {
        Stop-Process -Id $process.Id -Force -ErrorAction SilentlyContinue
        Fail "a Quillmoors_UI_CLASS window of $Exe within 30 s" 'none'
    }
    [void]$process.WaitForInputIdle(10000)
    $controls = @{}
    foreach ($child in $window.FindAll([System.Windows.Automation.TreeScope]::Children, [System.Windows.Automation.Condition]::TrueCondition)) {
        $key = if ($child.Current.ControlType -eq [System.Windows.Automation.ControlType]::Edit) { 'Edit' } else { $child.Current.Name }
        $controls[$key] = $child
    }
    [pscustomobject]@{ Process = $process; Window = $window; Controls = $controls; Exe = $Exe }
}

function Get-Pattern($element, $pattern) {
    $element.GetCurrentPattern($pattern::Pattern)
}

function Get-WindowState([string] $Exe) {
    $run = Open-InstallerWindow $Exe
    $c = $run.Controls
    $state = [pscustomobject]@{
        Caption = (Get-Pattern $c['Edit'] ([System.Windows.Automation.ValuePattern])).Current.Value
        Place = (@('Context', 'SendTo') | Where-Object {
                (Get-Pattern $c[$_] ([System.Windows.Automation.SelectionItemPattern])).Current.IsSelected
            } | ForEach-Object { $_.Substring(0, 1) }) -join ''
        Buttons = (@('Install', 'Uninstall') | Where-Object { $c[$_].Current.IsEnabled } |
                ForEach-Object { $_.Substring(0, 1) }) -join ''
    }
    (Get-Pattern $run.Window ([System.Windows.Automation.WindowPattern])).Close()
    Wait-WindowEnd $run 'closed'
    $state
}

function Wait-WindowEnd($run, [string] $What) {
    if (-not $run.Process.WaitForExit(30000)) {
        Stop-Process -Id $run.Process.Id -Force -ErrorAction SilentlyContinue
        Fail "$($run.Exe) to end once $What" 'that it did not end within 30 s'
    }
    if ($run.Process.ExitCode -ne 0) {
        Fail "$($run.Exe) to end with exit code 0 once $What" "exit code $($run.Process.ExitCode)"
    }
}

# @('install', 'context'|'sendto', caption) or @('uninstall'), as a user types and clicks.
function Invoke-WindowAction([string] $Exe, [string[]] $Action) {
    $run = Open-InstallerWindow $Exe
    $c = $run.Controls
    if ($Action[0] -eq 'install') {
        (Get-Pattern $c['Edit'] ([System.Windows.Automation.ValuePattern])).SetValue($Action[2])
        $place = if ($Action[1] -eq 'sendto') { 'SendTo' } else { 'Context' }
        (Get-Pattern $c[$place] ([System.Windows.Automation.SelectionItemPattern])).Select()
        (Get-Pattern $c['Install'] ([System.Windows.Automation.InvokePattern])).Invoke()
    } else {
        (Get-Pattern $c['Uninstall'] ([System.Windows.Automation.InvokePattern])).Invoke()
    }
    Wait-WindowEnd $run "'$($Action -join ' ')' was done in its window"
}

function Assert-Window([string] $Exe, [string] $Caption, [string] $Place, [string] $Buttons) {
    $window = Get-WindowState $Exe
    if ($window.Buttons -ne $Buttons -or ($Caption -and ($window.Caption -cne $Caption -or $window.Place -ne $Place))) {
        Fail "a window showing '$Caption', place '$Place', buttons '$Buttons'" `
            "'$($window.Caption)', place '$($window.Place)', buttons '$($window.Buttons)'"
    }
}

# Install with Context and Uninstall, each through the window, as a user would.
function Test-ContextRoundTrip([string] $Exe, [string] $Caption) {
    Assert-Window $Exe '' '' 'I'
    Invoke-WindowAction $Exe @('install', 'context', $Caption)
    Assert-Verb $Exe $Caption
    Assert-Window $Exe $Caption 'C' 'U'
    Invoke-WindowAction $Exe @('uninstall')
    Assert-NoEntries 'after Uninstall'
}

# --- sorting runs -----------------------------------------------------------------------------

function Test-SortingRun([string] $Exe, [string] $Name, [hashtable] $Files) {
    $dir = Join-Path $script:Work "samples\$Name"
    if (Test-Path -LiteralPath $dir) { Remove-Item -LiteralPath $dir -Recurse -Force }
    New-Item -ItemType Directory -Path $dir | Out-Null
    foreach ($file in @($Files.Keys) + 'README.txt') {
        [IO.File]::WriteAllText((Join-Path $dir $file), "sample`r`n")
    }
    $run = Invoke-Probe $Exe @($dir)
    $expected = @('[Quillmoors Tidyreel]', "^Found:\s+$($Files.Count + 1) files$", "^Moved:\s+$($Files.Count) files$",
        '^Skipped:\s+1 files$', '^exit code 0$')
    foreach ($pattern in $expected) {
        $hit = if ($pattern.StartsWith('[')) { $run.Trimmed -contains $pattern } else { @($run.Trimmed -match $pattern).Count -gt 0 }
        if (-not $hit -or $run.ExitCode -ne 0) {
            Fail "a summary box with '$pattern' from $Exe and a clean end" ($run.Lines -join ' / ')
        }
    }
    foreach ($file in @($Files.Keys) + '') {
        $path = if ($file) { Join-Path (Join-Path $dir $Files[$file]) $file } else { Join-Path $dir 'README.txt' }
        if (-not (Test-Path -LiteralPath $path -PathType Leaf)) {
            Fail $path ((Get-ChildItem -LiteralPath $dir -Recurse -Name) -join ', ')
        }
    }
}

# --- preparation ------------------------------------------------------------------------------

function Initialize-Trial {
    $script:ZipPath = (Resolve-Path -LiteralPath $Zip).ProviderPath
    $script:ProbeExe = (Resolve-Path -LiteralPath $Probe).ProviderPath
    $script:Repo = (Resolve-Path -LiteralPath $RepoDir).ProviderPath
    $script:Work = Join-Path $script:Repo 'build\pm-trial'
    if (Test-Path -LiteralPath $script:Work) { Remove-Item -LiteralPath $script:Work -Recurse -Force }
    New-Item -ItemType Directory -Path $script:Work | Out-Null
    $script:HostExe = (Get-Process -Id $PID).Path
    [Net.ServicePointManager]::SecurityProtocol = [Net.ServicePointManager]::SecurityProtocol -bor [Net.SecurityProtocolType]::Tls12

    # Git's own bash: on a runner 'bash' may be WSL's.
    $git = Get-Command git.exe -ErrorAction SilentlyContinue
    $candidates = @('C:\Program Files\Git\bin\bash.exe')
    if ($git) { $candidates = @((Join-Path (Split-Path (Split-Path $git.Path)) 'bin\bash.exe')) + $candidates }
    $script:Bash = $candidates | Where-Object { Test-Path -LiteralPath $_ } | Select-Object -First 1
    if (-not $script:Bash) { Fail "Git's bash.exe at $($candidates -join ' or ')" 'none' }

    # Python 3 serves the zips: 'python' if it is Python 3 (not the Store's stand-in), else 'py -3'.
    $script:PythonExe = $null
    foreach ($candidate in 'python', 'py') {
        $prefix = @()
        if ($candidate -eq 'py') { $prefix = @('-3') }
        if (Get-Command $candidate -CommandType Application -ErrorAction SilentlyContinue) {
            $saved = $ErrorActionPreference
            $ErrorActionPreference = 'Continue'
            $question = @($prefix) + @('-c', 'import sys; print(sys.version_info[0])')
            $major = & $candidate @question 2>$null
            $ErrorActionPreference = $saved
            if ("$major".Trim() -eq '3') { $script:PythonExe = $candidate; $script:PythonArgs = $prefix; break }
        }
    }
    if (-not $script:PythonExe) { Fail 'Python 3 (python or py -3) to serve the zips' 'none' }
    Note "PowerShell $($PSVersionTable.PSVersion), bash $script:Bash, $script:PythonExe $($script:PythonArgs -join ' ')"
}

# The release zip and the next version's: served under v<version>/ like a GitHub release, with
# the .sha256 file beside each.
function New-TestVersions {
    Add-Type -AssemblyName System.IO.Compression.FileSystem
    $name = Split-Path $script:ZipPath -Leaf
    if ($name -notmatch '^tidyreel-(\d+)\.(\d+)\.(\d+)\.(\d+)-win64\.zip$') {
        Fail 'a zip named tidyreel-<a.b.c.d>-win64.zip' $name
    }
    $first = "$($Matches[1]).$($Matches[2]).$($Matches[3]).$($Matches[4])"
    $second = "$($Matches[1]).$($Matches[2]).$($Matches[3]).$([int]$Matches[4] + 1)"
    $stage = Join-Path $script:Work "stage-$second"
    [IO.Compression.ZipFile]::ExtractToDirectory($script:ZipPath, $stage)
    foreach ($member in 'tidyreel.exe', 'README.txt', 'LICENSE') { Assert-File (Join-Path $stage $member) "the zip's" }
    $readme = Join-Path $stage 'README.txt'
    $firstReadme = Read-Bytes $readme
    Write-Bytes $readme ($firstReadme + "`r`nTrial copy ${second}, the same program under the next version number.`r`n")

    $script:Versions = @()
    foreach ($version in $first, $second) {
        $served = Join-Path $script:Work "serve\v$version"
        New-Item -ItemType Directory -Path $served | Out-Null
        $zipFile = Join-Path $served "tidyreel-$version-win64.zip"
        if ($version -eq $first) {
            Copy-Item -LiteralPath $script:ZipPath -Destination $zipFile
        } else {
            [IO.Compression.ZipFile]::CreateFromDirectory($stage, $zipFile)
        }
        [IO.File]::WriteAllText("$zipFile.sha256", "$(Get-Sha256 $zipFile)  $(Split-Path $zipFile -Leaf)`n")
        $out = Join-Path $script:Work "manifests-$version"
        $script:Versions += [pscustomobject]@{
            Version   = $version
            Zip       = $zipFile
            Out       = $out
            WingetDir = Join-Path $out "winget\manifests\q\Quillmoor\Tidyreel\$version"
            ScoopJson = Join-Path $out 'scoop\tidyreel.json'
            Readme    = if ($version -eq $first) { $firstReadme } else { Read-Bytes $readme }
        }
    }
    if ((Get-Sha256 $script:Versions[0].Zip) -eq (Get-Sha256 $script:Versions[1].Zip)) {
        Fail 'two different zips' 'the same bytes twice'
    }
    Note "versions $first and $second"
}

function Start-ZipServer {
    $listener = New-Object Net.Sockets.TcpListener ([Net.IPAddress]::Loopback, 0)
    $listener.Start()
    $script:Port = $listener.LocalEndpoint.Port
    $listener.Stop()
    $root = Join-Path $script:Work 'serve'
    $arguments = @($script:PythonArgs) + @('-m', 'http.server', "$script:Port", '--bind', '127.0.0.1', '--directory', "`"$root`"")
    $script:Server = Start-Process -FilePath $script:PythonExe -ArgumentList $arguments -PassThru -NoNewWindow `
        -RedirectStandardOutput (Join-Path $script:Work 'http.out.log') -RedirectStandardError (Join-Path $script:Work 'http.err.log')
    $probeUrl = "http://127.0.0.1:$script:Port/v$($script:Versions[0].Version)/$(Split-Path $script:Versions[0].Zip -Leaf).sha256"
    for ($i = 0; $i -lt 30; $i++) {
        try {
            $answer = Invoke-WebRequest -UseBasicParsing -Uri $probeUrl -TimeoutSec 2
            if ($answer.StatusCode -eq 200) { Note "serving $root on 127.0.0.1:$script:Port (process $($script:Server.Id))"; return }
        } catch {
            Start-Sleep -Milliseconds 500
        }
    }
    Fail "an HTTP server answering $probeUrl" "no answer within 15 s (see $script:Work\http.err.log)"
}

function Stop-ZipServer {
    if ($script:Server -and -not $script:Server.HasExited) {
        Stop-Process -Id $script:Server.Id -Force
    }
}

function Invoke-Render {
    $renderer = (Join-Path $script:Repo 'scripts\make_manifests.sh').Replace('\', '/')
    foreach ($v in $script:Versions) {
        $env:TIDYREEL_DOWNLOAD_URL = "http://127.0.0.1:$script:Port/v$($v.Version)/$(Split-Path $v.Zip -Leaf)"
        try {
            $run = Invoke-Native $script:Bash @($renderer, $v.Zip.Replace('\', '/'), $v.Out.Replace('\', '/'))
        } finally {
            Remove-Item Env:TIDYREEL_DOWNLOAD_URL
        }
        if ($run.ExitCode -ne 0) { Fail "make_manifests.sh to render $($v.Version)" "exit code $($run.ExitCode)" }
        foreach ($file in 'Quillmoor.Tidyreel.yaml', 'Quillmoor.Tidyreel.installer.yaml', 'Quillmoor.Tidyreel.locale.en-US.yaml') {
            Assert-File (Join-Path $v.WingetDir $file) 'the rendered'
        }
        Assert-File $v.ScoopJson 'the rendered'
    }
}

# The same checks the Linux job runs, when this Python has PyYAML.
function Invoke-ManifestCheck {
    $checker = Join-Path $script:Repo 'scripts\check_manifests.py'
    $saved = $ErrorActionPreference
    $ErrorActionPreference = 'Continue'
    $question = @($script:PythonArgs) + @('-c', 'import yaml')
    & $script:PythonExe @question 2>$null | Out-Null
    $hasYaml = $LASTEXITCODE -eq 0
    $ErrorActionPreference = $saved
    if (-not $hasYaml) { Note 'check_manifests.py skipped: this Python has no PyYAML'; return }
    foreach ($v in $script:Versions) {
        $run = Invoke-Native $script:PythonExe (@($script:PythonArgs) + @($checker, $v.Out, $v.Zip))
        if ($run.ExitCode -ne 0) { Fail "check_manifests.py to pass $($v.Out)" "exit code $($run.ExitCode)" }
    }
}

# The PATH a new terminal would see: the registry's, added to this process's own.
function Update-PathFromRegistry {
    $have = @($env:Path -split ';' | Where-Object { $_ })
    foreach ($scope in 'User', 'Machine') {
        foreach ($entry in @([Environment]::GetEnvironmentVariable('Path', $scope) -split ';' | Where-Object { $_ })) {
            if ($have -notcontains $entry) { $env:Path = "$env:Path;$entry"; $have += $entry }
        }
    }
}

# --- winget -----------------------------------------------------------------------------------

function Invoke-Winget([string[]] $Arguments, [string] $Expected) {
    $run = Invoke-Native 'winget' $Arguments
    if ($run.ExitCode -ne 0) { Fail $Expected "exit code $($run.ExitCode) of winget $($Arguments -join ' ')" }
    $run
}

function Test-Winget {
    $first, $second = $script:Versions
    Step 'winget: ready, local manifests allowed' {
        if (-not (Get-Command winget -ErrorAction SilentlyContinue)) { Fail 'winget on this machine' 'none' }
        Invoke-Native 'winget' @('--version') | Out-Null
        Assert-NoEntries 'before the trial'
        Invoke-Winget @('settings', '--enable', 'LocalManifestFiles') 'local manifests to be allowed' | Out-Null
    }
    Step 'winget: validate both manifest sets' {
        foreach ($v in $script:Versions) {
            Invoke-Winget @('validate', '--manifest', $v.WingetDir) "the $($v.Version) set to validate without warnings" | Out-Null
        }
    }
    Step "winget: install $($first.Version) from the local manifest" {
        Invoke-Winget (@('install', '--manifest', $first.WingetDir) + $WingetAgree) 'the install to succeed' | Out-Null
        $folders = @(Get-ChildItem -LiteralPath $WingetPackages -Directory -Filter 'Quillmoor.Tidyreel_*' -ErrorAction SilentlyContinue)
        if ($folders.Count -ne 1) { Fail "one package folder Quillmoor.Tidyreel_* in $WingetPackages" "$($folders.Count)" }
        $script:Pkg = $folders[0].FullName
        foreach ($member in 'tidyreel.exe', 'README.txt', 'LICENSE') { Assert-File (Join-Path $script:Pkg $member) 'the installed' }
        Note "package folder: $script:Pkg"
        $link = Join-Path $WingetLinks 'tidyreel.exe'
        Note "link $link`: $(if (Test-Path -LiteralPath $link) { 'present' } else { 'none' })"
        Update-PathFromRegistry
        $command = @(Get-Command tidyreel.exe -CommandType Application -ErrorAction SilentlyContinue) | Select-Object -First 1
        if (-not $command) { Fail "the command tidyreel on the PATH a new terminal sees" 'none' }
        $script:Alias = $command.Path
        Note "the command tidyreel runs: $script:Alias"
        # Started as a link, the program would keep tidyreel.ini beside the link, in WinGet\Links.
        if ($script:Alias -ne (Join-Path $script:Pkg 'tidyreel.exe')) {
            Fail "the command tidyreel to start $script:Pkg\tidyreel.exe itself" $script:Alias
        }
    }
    Step 'winget: sorting runs through the command and the package folder' {
        Test-SortingRun $script:Alias 'winget-command' $Episodes
        Test-SortingRun (Join-Path $script:Pkg 'tidyreel.exe') 'winget-package' $Episodes
    }
    Step 'winget: tidyreel.ini beside the program, with the twelve defaults' {
        Assert-FileText (Join-Path $script:Pkg 'tidyreel.ini') $DefaultIni 'the settings file'
        $stray = Join-Path $WingetLinks 'tidyreel.ini'
        if (Test-Path -LiteralPath $stray) { Fail 'no settings file in WinGet\Links' $stray }
    }
    Step 'winget: Install (Context) and Uninstall through the window' {
        Test-ContextRoundTrip $script:Alias 'Tidyreel Trial'
    }
    Step "winget: upgrade to $($second.Version) keeps the edited settings and the verb" {
        Invoke-WindowAction $script:Alias @('install', 'context', 'Tidyreel Trial')
        Assert-Verb $script:Alias 'Tidyreel Trial'
        Write-Bytes (Join-Path $script:Pkg 'tidyreel.ini') $EditedIni
        $run = Invoke-Native 'winget' (@('upgrade', '--manifest', $second.WingetDir) + $WingetAgree)
        if ($run.ExitCode -ne 0) {
            Invoke-Native 'winget' @('list', '--name', 'Quillmoors Tidyreel') | Out-Null
            Add-Failure ("expected winget upgrade --manifest to upgrade to $($second.Version); found exit code " +
                "$($run.ExitCode). Going on with winget install --manifest of that version instead.")
            Invoke-Winget (@('install', '--manifest', $second.WingetDir) + $WingetAgree) 'winget install --manifest to upgrade in place' | Out-Null
        }
        Assert-FileText (Join-Path $script:Pkg 'README.txt') $second.Readme "the $($second.Version) README.txt"
        Assert-FileText (Join-Path $script:Pkg 'tidyreel.ini') $EditedIni 'the edited settings file'
        Assert-Verb $script:Alias 'Tidyreel Trial'
        Test-SortingRun $script:Alias 'winget-edited' $EditedEpisodes
    }
    Step 'winget: Uninstall through the window, then winget uninstall' {
        Invoke-WindowAction $script:Alias @('uninstall')
        Assert-NoEntries 'after Uninstall'
        $code = Split-Path $script:Pkg -Leaf
        $arp = "HKCU:\Software\Microsoft\Windows\CurrentVersion\Uninstall\$code"
        if (-not (Test-Path -LiteralPath $arp)) { Fail "the Apps entry $arp" 'none' }
        Note "Apps entry's uninstall command: $((Get-ItemProperty -LiteralPath $arp).UninstallString)"
        $run = Invoke-Native 'winget' (@('uninstall', '--product-code', $code) + $WingetAgree[1..2])
        if ($run.ExitCode -ne 0) {
            Add-Failure ("expected the Apps entry's winget uninstall --product-code $code to succeed; found exit code " +
                "$($run.ExitCode). Going on with winget uninstall --manifest.")
            Invoke-Winget (@('uninstall', '--manifest', $second.WingetDir) + $WingetAgree[1..2]) 'winget uninstall --manifest to succeed' | Out-Null
        }
        if (Test-Path -LiteralPath (Join-Path $script:Pkg 'tidyreel.exe')) { Fail 'tidyreel.exe removed' 'it is still there' }
        if (Test-Path -LiteralPath $arp) { Fail "the Apps entry removed" $arp }
        $left = if (Test-Path -LiteralPath $script:Pkg) { (Get-ChildItem -LiteralPath $script:Pkg -Name) -join ', ' } else { 'the folder is gone' }
        Note "left in the package folder: $left"
        $onPath = @([Environment]::GetEnvironmentVariable('Path', 'User') -split ';') -contains $script:Pkg
        Note "package folder still on the user's PATH: $onPath"
    }
}

# --- Scoop ------------------------------------------------------------------------------------

function Invoke-Scoop([string[]] $Arguments) {
    $run = Invoke-Native $script:HostExe (@('-NoProfile', '-ExecutionPolicy', 'Bypass', '-File', $script:ScoopPs1) + $Arguments)
    if ($run.ExitCode -ne 0) { Fail "scoop $($Arguments -join ' ') to succeed" "exit code $($run.ExitCode)" }
}

function Test-Scoop {
    $first, $second = $script:Versions
    $sendTo = [Environment]::GetFolderPath('SendTo')
    Step 'Scoop: install Scoop' {
        Assert-NoEntries 'before the trial'
        $script:ScoopRoot = if ($env:SCOOP) { $env:SCOOP } else { Join-Path $env:USERPROFILE 'scoop' }
        $script:ScoopPs1 = Join-Path $script:ScoopRoot 'apps\scoop\current\bin\scoop.ps1'
        if (-not (Test-Path -LiteralPath $script:ScoopPs1)) {
            $installer = Join-Path $script:Work 'install-scoop.ps1'
            Invoke-WebRequest -UseBasicParsing -Uri 'https://get.scoop.sh' -OutFile $installer
            # Scoop's installer refuses an administrator's shell unless told that it is meant.
            $run = Invoke-Native $script:HostExe @('-NoProfile', '-ExecutionPolicy', 'Bypass', '-File', $installer, '-RunAsAdmin')
            if ($run.ExitCode -ne 0) { Fail 'the Scoop installer to succeed' "exit code $($run.ExitCode)" }
        }
        Assert-File $script:ScoopPs1 'Scoop'
        $script:App = Join-Path $script:ScoopRoot 'apps\tidyreel'
        $script:Current = Join-Path $script:App 'current'
        $script:CurrentExe = Join-Path $script:Current 'tidyreel.exe'
        $script:PersistIni = Join-Path $script:ScoopRoot 'persist\tidyreel\tidyreel.ini'
        # scoop update reads the manifest again from the path it was installed from: one path for both.
        $script:ScoopManifest = Join-Path $script:Work 'scoop-local\tidyreel.json'
        New-Item -ItemType Directory -Path (Split-Path $script:ScoopManifest) | Out-Null
    }
    Step "Scoop: install $($first.Version) from the local manifest" {
        Copy-Item -LiteralPath $first.ScoopJson -Destination $script:ScoopManifest
        Invoke-Scoop @('install', $script:ScoopManifest)
        Assert-File $script:CurrentExe 'the installed'
        Assert-File (Join-Path $script:ScoopRoot 'shims\tidyreel.exe') 'the shim'
        $shortcut = Join-Path ([Environment]::GetFolderPath('StartMenu')) 'Programs\Scoop Apps\Quillmoors Tidyreel.lnk'
        Assert-File $shortcut 'the Start menu shortcut'
        $target = Get-LinkTarget $shortcut
        if ($target -ne $script:CurrentExe) { Fail "the Start menu shortcut to start $script:CurrentExe" $target }
    }
    Step 'Scoop: the fresh settings file is a file with exactly the twelve defaults' {
        Assert-FileText (Join-Path $script:Current 'tidyreel.ini') $DefaultIni 'the settings file'
        Assert-FileText $script:PersistIni $DefaultIni 'the persisted settings file'
    }
    Step 'Scoop: sorting run through current' {
        Test-SortingRun $script:CurrentExe 'scoop-current' $Episodes
    }
    Step 'Scoop: Install (Context) through the window from current' {
        Assert-Window $script:CurrentExe '' '' 'I'
        Invoke-WindowAction $script:CurrentExe @('install', 'context', 'Tidyreel Scoop')
        Assert-Verb $script:CurrentExe 'Tidyreel Scoop'
    }
    Step "Scoop: update to $($second.Version) keeps the edited settings and the verb" {
        Write-Bytes (Join-Path $script:Current 'tidyreel.ini') $EditedIni
        Assert-FileText $script:PersistIni $EditedIni 'the persisted settings file, a hard link of current\tidyreel.ini,'
        Copy-Item -LiteralPath $second.ScoopJson -Destination $script:ScoopManifest -Force
        Invoke-Scoop @('update', 'tidyreel')
        Assert-File (Join-Path $script:App "$($second.Version)\tidyreel.exe") 'the new version'
        Assert-FileText (Join-Path $script:Current 'README.txt') $second.Readme "the $($second.Version) README.txt in current"
        Assert-FileText (Join-Path $script:Current 'tidyreel.ini') $EditedIni 'the edited settings file'
        Assert-Verb $script:CurrentExe 'Tidyreel Scoop'
        Test-SortingRun $script:CurrentExe 'scoop-edited' $EditedEpisodes
    }
    Step 'Scoop: Install (SendTo), then scoop uninstall removes it and leaves another copy''s verb' {
        Invoke-WindowAction $script:CurrentExe @('install', 'sendto', 'Tidyreel Scoop')
        $link = Join-Path $sendTo 'Tidyreel Scoop.lnk'
        Assert-File $link 'the SendTo shortcut'
        if ((Get-Record) -ne $link) { Fail "the record of $link" "$(Get-Record)" }
        if ((Get-LinkTarget $link) -ne $script:CurrentExe) { Fail "the shortcut to start $script:CurrentExe" (Get-LinkTarget $link) }
        if (Get-ContextVerb) { Fail 'no context verb once the SendTo shortcut exists' (Get-ContextVerb).Command }
        # Another copy's verb, which the uninstall must leave alone.
        $other = Join-Path $script:Work 'other-copy\tidyreel.exe'
        New-Item -Path "$VerbKey\command" -Force | Out-Null
        Set-Item -LiteralPath $VerbKey -Value 'Other copy'
        Set-Item -LiteralPath "$VerbKey\command" -Value "`"$other`" `"%1`""
        Invoke-Scoop @('uninstall', 'tidyreel')
        if (Test-Path -LiteralPath $script:App) { Fail "$script:App removed" 'it is still there' }
        if (Test-Path -LiteralPath $link) { Fail "$link removed" 'it is still there' }
        if (Get-Record) { Fail 'no recorded SendTo shortcut' (Get-Record) }
        $verb = Get-ContextVerb
        if (-not $verb -or $verb.Exe -ne $other) { Fail "the other copy's verb kept" "$(if ($verb) { $verb.Command } else { 'none' })" }
        Remove-Item -LiteralPath $VerbKey -Recurse -Force
    }
    Step 'Scoop: install again keeps the settings; scoop uninstall removes the verb' {
        Invoke-Scoop @('install', $script:ScoopManifest)
        Assert-FileText (Join-Path $script:Current 'tidyreel.ini') $EditedIni 'the settings file kept in persist'
        Invoke-WindowAction $script:CurrentExe @('install', 'context', 'Tidyreel Scoop')
        Assert-Verb $script:CurrentExe 'Tidyreel Scoop'
        Invoke-Scoop @('uninstall', 'tidyreel')
        Assert-NoEntries 'after scoop uninstall'
        Note "left in $(Split-Path $script:PersistIni): $((Get-ChildItem -LiteralPath (Split-Path $script:PersistIni) -Name) -join ', ')"
    }
}

# --- main -------------------------------------------------------------------------------------

function Invoke-Part([string] $Name, [scriptblock] $Body) {
    try {
        & $Body
    } catch {
        $script:Failed = $true
        Write-Host "!! $Name stopped: $($_.Exception.Message)"
        Write-Host $_.ScriptStackTrace
        Clear-Entries
    }
}

try {
    Step 'prepare: tools and folders' { Initialize-Trial }
    Step 'prepare: the release zip and a second test version' { New-TestVersions }
    Step 'prepare: serve both zips on 127.0.0.1' { Start-ZipServer }
    Step 'prepare: render the manifests with make_manifests.sh' { Invoke-Render }
    Step 'prepare: check the rendered manifests' { Invoke-ManifestCheck }
    Invoke-Part 'winget' { Test-Winget }
    Invoke-Part 'Scoop' { Test-Scoop }
} catch {
    $script:Failed = $true
    Write-Host "!! preparation stopped: $($_.Exception.Message)"
    Write-Host $_.ScriptStackTrace
} finally {
    Stop-ZipServer
    Write-Host ''
    Write-Host '== summary'
    $script:Summary | ForEach-Object { Write-Host $_ }
}
if ($script:Failed) { exit 1 }
Write-Host 'package managers trial: every step passed'
