object DestinationPage: TPoolTemplate
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = '$TITLE$ Setup'
  ClientHeight = 360
  ClientWidth = 497
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object HeaderPanel: TPanel
    Left = 0
    Top = 0
    Width = 497
    Height = 58
    Align = alTop
    BevelOuter = bvNone
    Color = clWhite
    ParentBackground = False
    TabOrder = 10
    object HeaderTitle: TLabel
      Left = 20
      Top = 11
      Width = 440
      Height = 16
      AutoSize = False
      Caption = 'Destination Folder'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -13
      Font.Name = 'Tahoma'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object HeaderSubtitle: TLabel
      Left = 32
      Top = 32
      Width = 430
      Height = 14
      AutoSize = False
      Caption = 'Choose the folder in which to install $TITLE$.'
    end
  end
  object HeaderLine: TBevel
    Left = 0
    Top = 58
    Width = 497
    Height = 2
    Shape = bsTopLine
  end
  object FolderHelp: TLabel
    Left = 20
    Top = 76
    Width = 457
    Height = 28
    AutoSize = False
    Caption = 
      'Setup will install $TITLE$ in the following folder. To install in a' +
      ' different folder, click Browse and select another folder.'
    WordWrap = True
  end
  object FolderGroup: TGroupBox
    Left = 20
    Top = 116
    Width = 457
    Height = 64
    Caption = 'Destination folder'
    TabOrder = 0
    object FolderEdit: TEdit
      Left = 12
      Top = 26
      Width = 340
      Height = 21
      Hint = 'TARGETDIR'
      TabOrder = 0
      Tag = 2
    end
    object BrowseButton: TButton
      Left = 362
      Top = 24
      Width = 83
      Height = 25
      Caption = 'B&rowse...'
      TabOrder = 1
      Tag = 4
    end
  end
  object SpaceRequiredLabel: TLabel
    Left = 20
    Top = 200
    Width = 120
    Height = 14
    AutoSize = False
    Caption = 'Space required:'
  end
  object SpaceRequired: TStaticText
    Left = 140
    Top = 200
    Width = 120
    Height = 14
    AutoSize = False
    TabOrder = 1
    Tag = 4
  end
  object SpaceAvailableLabel: TLabel
    Left = 20
    Top = 220
    Width = 120
    Height = 14
    AutoSize = False
    Caption = 'Space available:'
  end
  object SpaceAvailable: TStaticText
    Left = 140
    Top = 220
    Width = 120
    Height = 14
    AutoSize = False
    TabOrder = 2
    Tag = 5
  end
  object FooterLine: TBevel
    Left = 0
    Top = 312
    Width = 497
    Height = 2
    Shape = bsTopLine
  end
  object BackButton: TButton
    Left = 232
    Top = 324
    Width = 75
    Height = 25
    Caption = '< &Back'
    Enabled = True
    TabOrder = 20
    Tag = 2
  end
  object NextButton: TButton
    Left = 308
    Top = 324
    Width = 75
    Height = 25
    Caption = '&Next >'
    Default = True
    Enabled = True
    TabOrder = 21
    Tag = 1
  end
  object CancelButton: TButton
    Left = 400
    Top = 324
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    Enabled = True
    TabOrder = 22
    Tag = 3
  end
end
