object ProgressPage: TPoolTemplate
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
      Caption = 'Installing $TITLE$'
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
      Caption = 'Please wait while Setup installs $TITLE$ on your computer.'
    end
  end
  object HeaderLine: TBevel
    Left = 0
    Top = 58
    Width = 497
    Height = 2
    Shape = bsTopLine
  end
  object StatusLabel: TLabel
    Left = 20
    Top = 96
    Width = 457
    Height = 14
    AutoSize = False
    Caption = 'Status:'
  end
  object StatusText: TStaticText
    Left = 20
    Top = 116
    Width = 457
    Height = 16
    AutoSize = False
    TabOrder = 0
    Tag = 1
  end
  object InstallProgress: TProgressBar
    Left = 20
    Top = 140
    Width = 457
    Height = 18
    Smooth = True
    TabOrder = 1
    Tag = 1
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
    Enabled = False
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
    Enabled = False
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
